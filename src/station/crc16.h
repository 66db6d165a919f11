#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

// CRC-16 of the station protocol: polynomial 0x1021, initial value 0, no
// reflection, no final inversion (the XMODEM form of CRC-CCITT). A block whose
// sender appended the CRC high byte first gives 0 over data and CRC together.
namespace bv::station {

const std::array<std::uint16_t, 256>& crc16Table();

constexpr std::uint16_t kCrc16Initial = 0;

std::uint16_t crc16Update(std::uint16_t crc, std::uint8_t byte);
std::uint16_t crc16(std::span<const std::uint8_t> bytes, std::uint16_t crc = kCrc16Initial);
std::uint16_t crc16(std::string_view text, std::uint16_t crc = kCrc16Initial);

} // namespace bv::station
