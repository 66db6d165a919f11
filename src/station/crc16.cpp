#include "station/crc16.h"

namespace bv::station {

namespace {

constexpr std::uint16_t kPolynomial = 0x1021;

constexpr std::array<std::uint16_t, 256> makeTable()
{
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < table.size(); ++i) {
        unsigned crc = i << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000U) != 0 ? (crc << 1) ^ kPolynomial : crc << 1;
        table[i] = static_cast<std::uint16_t>(crc);
    }
    return table;
}

constexpr std::array<std::uint16_t, 256> kTable = makeTable();

} // namespace

const std::array<std::uint16_t, 256>& crc16Table()
{
    return kTable;
}

std::uint16_t crc16Update(std::uint16_t crc, std::uint8_t byte)
{
    return static_cast<std::uint16_t>(kTable[((crc >> 8) ^ byte) & 0xFFU] ^ (crc << 8));
}

std::uint16_t crc16(std::span<const std::uint8_t> bytes, std::uint16_t crc)
{
    for (std::uint8_t b : bytes)
        crc = crc16Update(crc, b);
    return crc;
}

std::uint16_t crc16(std::string_view text, std::uint16_t crc)
{
    for (char c : text)
        crc = crc16Update(crc, static_cast<std::uint8_t>(c));
    return crc;
}

} // namespace bv::station
