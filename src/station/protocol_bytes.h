#pragma once

#include <cstdint>
#include <string_view>

// The bytes and command words of the station's serial protocol.
namespace bv::station::protocol {

inline constexpr std::uint8_t kStartOfHeader =
    0x01;                                  // first byte of a LOOP packet and archive block
inline constexpr std::uint8_t kAck = 0x06; // command accepted, block good
inline constexpr std::uint8_t kCarriageReturn = 0x0D; // ends every command
inline constexpr std::uint8_t kNak = 0x15;            // block bad, send it again
inline constexpr std::uint8_t kCancel = 0x18;         // Tirrel station: command refused
inline constexpr std::uint8_t kEscape = 0x1B;         // stops an archive dump
inline constexpr std::uint8_t kBang = 0x21;           // Tirrel station: "!", command not understood
inline constexpr std::uint8_t kCrcMode = 0x43;        // "C": start the dump's blocks with CRC

inline constexpr std::string_view kLoop = "LOOP";
inline constexpr std::string_view kReadStation = "WRD";
inline constexpr std::string_view kWriteStation = "WWR";
inline constexpr std::string_view kReadLogger = "RRD";
inline constexpr std::string_view kWriteLogger = "RWR";
inline constexpr std::string_view kDump = "DMP";
inline constexpr std::string_view kStatusRead = "SRD";
inline constexpr std::string_view kSetSamplePeriod = "SSP";
inline constexpr std::string_view kSetArchivePeriod = "SAP";
inline constexpr std::string_view kBeginTimedWrite = "DBT"; // before clock and archive changes
inline constexpr std::string_view kEndTimedWrite = "EBT";   // after them, always once DBT was taken

// Low four bits of a WRD/WWR selector byte; the nibble count goes in the high four.
inline constexpr std::uint8_t kReadBank0 = 2;
inline constexpr std::uint8_t kReadBank1 = 4;
inline constexpr std::uint8_t kWriteBank0 = 1;
inline constexpr std::uint8_t kWriteBank1 = 3;

// LOOP asks for (0x10000 - count) packets, low byte first; one packet is 0xFFFF.
inline constexpr std::uint16_t kOneLoopPacket = 0xFFFF;

// Bytes of a value n nibbles long: a 3-nibble value fills 2 bytes.
constexpr int byteCount(int nibbles)
{
    return (nibbles + 1) / 2;
}

constexpr std::uint8_t readSelector(int bank, int nibbles)
{
    return static_cast<std::uint8_t>((nibbles << 4) | (bank == 0 ? kReadBank0 : kReadBank1));
}

constexpr std::uint8_t writeSelector(int bank, int nibbles)
{
    return static_cast<std::uint8_t>((nibbles << 4) | (bank == 0 ? kWriteBank0 : kWriteBank1));
}

// "RWR": the bank in the high four bits, the nibble count less one in the low four.
constexpr std::uint8_t loggerWriteSelector(int bank, int nibbles)
{
    return static_cast<std::uint8_t>((bank << 4) | (nibbles - 1));
}

} // namespace bv::station::protocol
