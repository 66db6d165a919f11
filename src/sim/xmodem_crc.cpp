#include "sim/xmodem_crc.h"

namespace bv::sim {

namespace {
constexpr std::uint16_t kPolynomial = 0x1021;
constexpr std::uint16_t kTopBit = 0x8000;
constexpr int kBitsPerByte = 8;
constexpr std::uint8_t kByteMask = 0xFF;
} // namespace

std::uint16_t xmodemCrc(std::span<const std::uint8_t> bytes)
{
    std::uint16_t crc = 0;
    for (std::uint8_t b : bytes) {
        crc = static_cast<std::uint16_t>(crc ^ (b << kBitsPerByte));
        for (int bit = 0; bit < kBitsPerByte; ++bit)
            crc = static_cast<std::uint16_t>((crc & kTopBit) != 0 ? (crc << 1) ^ kPolynomial
                                                                  : crc << 1);
    }
    return crc;
}

void appendCrc(std::vector<std::uint8_t>& bytes, std::size_t from)
{
    const std::uint16_t crc = xmodemCrc(std::span<const std::uint8_t>(bytes).subspan(from));
    bytes.push_back(static_cast<std::uint8_t>(crc >> kBitsPerByte));
    bytes.push_back(static_cast<std::uint8_t>(crc & kByteMask));
}

} // namespace bv::sim
