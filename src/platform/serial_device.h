#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace bv::platform {

class EventLoop;

enum class Parity { None, Even, Odd };

struct LineSettings {
    int baud = 2400;
    int dataBits = 8;
    Parity parity = Parity::None;
    int stopBits = 1;
    bool rtsCtsHandshake = false; // hardware flow control; DTR is always asserted
};

enum class ReadStatus {
    Byte,      // one byte came
    Timeout,   // no byte within the time-out, line clean
    LineError, // no byte, and the line reported a parity, framing or overrun error
    Failed,    // the read call itself failed; errorCode holds the errno
};

struct ReadResult {
    ReadStatus status = ReadStatus::Timeout;
    std::uint8_t byte = 0;
    int errorCode = 0;
};

// One serial device: a real port (termios), a pseudo-terminal, or a simulated
// wire in tests.
//
// Transport contract:
// - open() takes a device path and the line settings; it returns 0 or an errno
//   value. A device is opened exclusively; opening an open device fails.
// - readByte(timeoutMs) returns as soon as one byte is there, or after
//   timeoutMs without one. While it waits it pumps the EventLoop the device was
//   made with, in slices of at most a few tens of milliseconds, so timers and
//   posted calls run. A pumped call may start another station action; the
//   port layer above refuses a second open, so the device never sees two
//   exchanges at once. The wait never exceeds timeoutMs by more than one slice.
// - write() sends all bytes or fails; it does not wait for the line to drain
//   further than the device's own buffer requires. Returns 0 or an errno value.
// - Partial data is never lost: bytes that arrived but were not yet asked for
//   stay queued for the next readByte().
// - close() returns 0 or an errno value, and the device is closed afterwards
//   in both cases.
class SerialDevice {
  public:
    virtual ~SerialDevice() = default;
    virtual int open(const std::string& path, const LineSettings& settings) = 0;
    virtual int close() = 0;
    virtual bool isOpen() const = 0;
    virtual ReadResult readByte(int timeoutMs) = 0;
    virtual int write(const std::uint8_t* data, std::size_t size) = 0;
};

} // namespace bv::platform
