#pragma once

#include <string>
#include <string_view>

#include "station/station_messages.h"

namespace bv::station {

class SerialPort;

inline constexpr std::string_view kDefaultModemInit = "AT &F0 E &M Q V1 X4 S7=60";
inline constexpr std::string_view kConnectingText = "Viraraz is connecting to your remote station.";
inline constexpr std::string_view kDialFailedText =
    "Dialing to remote modem. Connection Failed. Check settings.";

struct ModemDialSettings {
    std::string modemInit{kDefaultModemInit}; // sent first, then a carriage return
    bool rotaryDial = false;                  // "ATDP" (pulse) instead of "ATDT"
};

enum class DialCheck {
    DialOnly,    // dial and wait; the modem's answer is not read (TirrelLink)
    AwaitResult, // read the modem's replies for its result word (ClassicLink)
};

// Dials a remote station through the modem on the open port. 1 when connected
// (always 1 with DialOnly), -2 when the modem reported a failure or no result
// word came; the failure goes to the status line and the event log.
int dialStation(SerialPort& port, std::string_view number, const ModemDialSettings& settings,
                DialCheck check, const StationMessages& messages);

} // namespace bv::station
