#pragma once

#include <string_view>

// Results of the station link and the station session. Each value has one
// meaning; every failure is negative, so "result >= 0" is success for both
// engines. The port layer's own outcomes are PortResult (serial_port.h); the
// session turns those into kPortBusy, kPortUnopenable, kLineSettingsRefused or
// kOutOfMemory.
namespace bv::station {

inline constexpr int kOk = 0; // read or write done; TirrelLink acknowledgement
inline constexpr int kDone =
    1; // port opened or closed; operation done; ClassicLink acknowledgement

inline constexpr int kNoReply = -1;         // no acknowledgement or data in time, or a port failure
inline constexpr int kDialFailed = -2;      // the modem reported no connection
inline constexpr int kClassicCrcError = -4; // ClassicLink: bad CRC in a packet or SRD reply
inline constexpr int kDumpRefused = -5;     // ClassicLink: DMP not acknowledged twice
inline constexpr int kStationBang = -6;     // TirrelLink: the station answered "!"
inline constexpr int kStationCancel = -7;   // TirrelLink: the station answered 0x18
inline constexpr int kStationOther = -8;    // TirrelLink: the station answered another byte
inline constexpr int kTirrelCrcError = -9;  // TirrelLink: bad CRC in a data reply
inline constexpr int kBadPacketStart = -10; // TirrelLink: a LOOP packet did not start with 0x01
inline constexpr int kMissingValue =
    -100; // the station's marker for a missing sensor (a value, not a result)
inline constexpr int kNoAnswer = -101;       // the station did not answer a higher-level operation
inline constexpr int kOutOfMemory = -102;    // reply buffer cannot be allocated
inline constexpr int kPortBusy = -103;       // another station operation holds the port
inline constexpr int kPortUnopenable = -104; // the serial device cannot be opened
inline constexpr int kLineSettingsRefused = -105; // the device will not take the line settings
inline constexpr int kNoStationModel = -106;      // the configured model code names no model

// What a failed result tells the user, for the status line, the event log
// and the command line; empty for success. A station that did not answer
// gives "Station Communication Error. Check station settings."
std::string_view resultText(int result);

} // namespace bv::station
