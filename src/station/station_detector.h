#pragma once

#include <functional>
#include <optional>
#include <string>

#include "station/serial_port.h"
#include "station/station_models.h"

namespace bv::station {

class StationLink;

// A station that answered on a port: where, at which rate, and which model.
struct DetectedStation {
    int port = 0;
    int baud = 0; // the rate it answered at
    const StationModel* model = nullptr;
};

// "Carrow III found at Port 3  Baudrate 1200 . Press Yes to select ..." for
// the station found.
std::string stationFoundText(const DetectedStation& station);

// AutoDetect: looks for a station wired straight to a serial port. Ports 1 to
// 10, each at 1200 then 2400 baud: the classic engine reads the model number
// (bank 0, address 77) with 500 ms time-outs after a second's wait; 0 to 4
// names a classic model or the Tirrel D. When nothing answered at all, the
// Tirrel E engine (which puts a CRC before every command) tries the same;
// 4 names a Tirrel E. A model number above 4 is no station of ours.
class StationDetector {
  public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 10;
    static constexpr int kBauds[] = {1200, 2400};
    static constexpr int kReadTimeoutMs = 500;
    static constexpr int kSettleMs = 1000;

    explicit StationDetector(PortServices services);

    // Offers each station found to accept while its port is still open; the
    // search ends at the first one accepted, which is returned with its port
    // closed. Nothing when every port was tried without a choice.
    using Offer = std::function<bool(const DetectedStation& station)>;
    std::optional<DetectedStation> detect(const Offer& accept);
    // Told the port and rate before each is tried.
    using Progress = std::function<void(int port, int baud)>;
    void setProgress(Progress progress) { progress_ = std::move(progress); }

  private:
    // The model that answered on port at baud, or nothing.
    std::optional<DetectedStation> probe(int port, int baud);
    int readModelNumber(SerialPort& port, StationLink& link);

    TirrelPort tirrelPort_;
    ClassicPort classicPort_;
    Progress progress_;
};

} // namespace bv::station
