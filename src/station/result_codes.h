#pragma once

// Results of the station link. Every failure is negative, so "result >= 0" is
// success for both engines.
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
inline constexpr int kMissingValue = -100;  // the station's marker for a missing sensor
inline constexpr int kNoAnswer = -101;      // the station did not answer a higher-level operation
inline constexpr int kSettingsRefused =
    -101;                                 // port layer: line settings refused, or no port to close
inline constexpr int kOutOfMemory = -102; // reply buffer cannot be allocated
inline constexpr int kPortBusy = -103;    // a port is already open, or the device cannot be opened

// The last-error word of ClassicPort after a command the station did not accept.
inline constexpr int kUnexpectedAck = -7;

} // namespace bv::station
