#pragma once

#include <fstream>
#include <optional>
#include <string>

#include "station/protocol_trace.h"
#include "station/serial_port.h"

namespace bv::platform {
class Clock;
}

namespace bv::cli {

// The "--trace FILE" of the commands that talk to the station: every byte in
// and out of the station's port, hex, one event a line with the monotonic
// milliseconds (see station/protocol_trace.h), written to FILE as it happens.
class StationTrace {
  public:
    // Opens FILE afresh; an empty path traces nothing.
    StationTrace(const std::string& path, const platform::Clock& clock);
    StationTrace(const StationTrace&) = delete;
    StationTrace& operator=(const StationTrace&) = delete;

    // Why FILE could not be opened ("cannot write the trace FILE: reason"), else empty.
    const std::string& error() const { return error_; }
    // The devices of inner, traced when a file is open.
    station::SerialDeviceFactory wrap(station::SerialDeviceFactory inner);

  private:
    std::ofstream file_;
    std::optional<station::ProtocolTrace> trace_;
    std::string error_;
};

} // namespace bv::cli
