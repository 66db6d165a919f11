#pragma once

#include <cstdint>

namespace bv::sim::wire {

// Bytes of the station's serial protocol, as the station side sends and
// expects them.
inline constexpr std::uint8_t kStartOfBlock = 0x01; // LOOP packets and archive blocks
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kCarriageReturn = 0x0D; // ends every command
inline constexpr std::uint8_t kNak = 0x15;            // the program refuses an archive block
inline constexpr std::uint8_t kCrcRefused =
    0x18;                                      // a CRC-carrying station: the command's CRC is wrong
inline constexpr std::uint8_t kEscape = 0x1B;  // the program stops an archive dump
inline constexpr std::uint8_t kRefused = 0x21; // "!": unknown command or bad arguments
inline constexpr std::uint8_t kDumpGo = 0x43;  // "C": send the first archive block

} // namespace bv::sim::wire
