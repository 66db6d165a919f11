#pragma once

#include <deque>

#include "platform/serial_device.h"

namespace bv::platform {

class EventLoop;

// A serial device through termios: raw mode with the given data bits, parity
// and stop bits, receiver on, modem lines ignored (CLOCAL), DTR asserted and
// dropped on close (HUPCL), RTS/CTS only when asked for. The device is opened
// O_NOCTTY|O_NONBLOCK, locked with flock (which holds against root as well)
// and made exclusive with TIOCEXCL.
//
// Parity and framing errors are marked by the terminal driver (PARMRK) and
// come out of readByte as LineError; a data byte 0xFF arrives doubled and is
// undone here. readByte waits with poll() in slices of kSliceMs and pumps the
// event loop between slices; write waits for room in the driver's buffer
// without pumping and gives up (ETIMEDOUT) when no byte goes out for
// kWriteStallMs, e.g. while the modem holds CTS low.
class TermiosSerialDevice : public SerialDevice {
  public:
    static constexpr int kSliceMs = 20;
    static constexpr int kWriteStallMs = 3000;

    explicit TermiosSerialDevice(EventLoop& loop);
    ~TermiosSerialDevice() override;
    TermiosSerialDevice(const TermiosSerialDevice&) = delete;
    TermiosSerialDevice& operator=(const TermiosSerialDevice&) = delete;

    int open(const std::string& path, const LineSettings& settings) override;
    int close() override;
    bool isOpen() const override { return fd_ >= 0; }
    ReadResult readByte(int timeoutMs) override;
    int write(const std::uint8_t* data, std::size_t size) override;

    // Takes the next byte or line error from input as the driver marks them;
    // false while input is empty or ends inside a mark.
    static bool takeMarkedByte(std::deque<std::uint8_t>& input, ReadResult& result);

  private:
    int fillInput();

    EventLoop& loop_;
    int fd_ = -1;
    std::deque<std::uint8_t> input_; // bytes read from the driver, marks not yet undone
};

} // namespace bv::platform
