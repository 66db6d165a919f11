#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace bv::sim {

// CRC-16 with polynomial 0x1021, initial value 0, no reflection and no final
// inversion, computed bit by bit (the station side; the program uses a table).
std::uint16_t xmodemCrc(std::span<const std::uint8_t> bytes);
// Appends the CRC of bytes[from..], high byte first, so that the CRC over
// those bytes and the two appended comes out 0.
void appendCrc(std::vector<std::uint8_t>& bytes, std::size_t from = 0);

} // namespace bv::sim
