#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/serial_device.h"
#include "station/serial_port.h"

namespace bv::platform {
class Clock;
}

namespace bv::station {

// A hex trace of every byte in and out of a port, one event per line, with
// the milliseconds of the monotonic clock:
//
//   1000 open /dev/ttyS0 2400 8N1 rtscts
//   1003 > 57 52 44 24 4D 0D       bytes the program wrote (one write call)
//   1010 < 06 12 34                bytes received, gathered until the next event
//   4010 timeout
//   4011 line-error
//   4012 read-failed 5
//   4013 close
//
// A trace captured from a station can be read back (parseProtocolTrace) and
// replayed to the program as a test fixture.
class ProtocolTrace {
  public:
    ProtocolTrace(std::ostream& out, const platform::Clock& clock);
    ~ProtocolTrace();
    ProtocolTrace(const ProtocolTrace&) = delete;
    ProtocolTrace& operator=(const ProtocolTrace&) = delete;

    void opened(const std::string& path, const platform::LineSettings& settings, int error);
    void closed(int error);
    void wrote(std::span<const std::uint8_t> bytes, int error);
    void received(const platform::ReadResult& result);
    // Ends the line of received bytes.
    void flush();

  private:
    void line(const std::string& text);

    std::ostream& out_;
    const platform::Clock& clock_;
    std::vector<std::uint8_t> receivedBytes_;
    std::int64_t receivedSinceMs_ = 0;
};

// A device that passes everything to another one and traces it.
class TracingSerialDevice : public platform::SerialDevice {
  public:
    TracingSerialDevice(std::unique_ptr<platform::SerialDevice> inner, ProtocolTrace& trace);

    int open(const std::string& path, const platform::LineSettings& settings) override;
    int close() override;
    bool isOpen() const override { return inner_->isOpen(); }
    platform::ReadResult readByte(int timeoutMs) override;
    int write(const std::uint8_t* data, std::size_t size) override;

  private:
    std::unique_ptr<platform::SerialDevice> inner_;
    ProtocolTrace& trace_;
};

// Every device the factory makes is traced to trace.
SerialDeviceFactory tracedDeviceFactory(SerialDeviceFactory inner, ProtocolTrace& trace);

struct TraceEvent {
    enum class Kind { Open, Close, Sent, Received, Timeout, LineError, ReadFailed };
    std::int64_t ms = 0;
    Kind kind = Kind::Sent;
    std::vector<std::uint8_t> bytes; // Sent and Received
};

// The events of a trace; lines that are not events (blank, "#" comments,
// unknown words, bad hex) are skipped.
std::vector<TraceEvent> parseProtocolTrace(std::istream& in);

} // namespace bv::station
