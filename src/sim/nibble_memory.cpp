#include "sim/nibble_memory.h"

namespace bv::sim {

namespace {

constexpr std::uint8_t kNibbleMask = 0x0F;
constexpr int kNibbleBits = 4;
constexpr int kDecimalBase = 10;

int wrapAddress(int address)
{
    return address & (NibbleMemory::kBankNibbles - 1);
}

} // namespace

std::uint8_t NibbleMemory::nibble(int bank, int address) const
{
    return banks_.at(
        static_cast<std::size_t>(bank))[static_cast<std::size_t>(wrapAddress(address))];
}

void NibbleMemory::setNibble(int bank, int address, std::uint8_t value)
{
    banks_.at(static_cast<std::size_t>(bank))[static_cast<std::size_t>(wrapAddress(address))] =
        value & kNibbleMask;
}

std::vector<std::uint8_t> NibbleMemory::readBytes(int bank, int address, int nibbles) const
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>((nibbles + 1) / 2), 0);
    for (int i = 0; i < static_cast<int>(bytes.size()) * 2; ++i) {
        const auto n = nibble(bank, address + i);
        bytes[static_cast<std::size_t>(i / 2)] |=
            static_cast<std::uint8_t>(n << (i % 2 * kNibbleBits));
    }
    return bytes;
}

void NibbleMemory::writeBytes(int bank, int address, int nibbles,
                              std::span<const std::uint8_t> bytes)
{
    for (int i = 0; i < nibbles && i / 2 < static_cast<int>(bytes.size()); ++i) {
        const std::uint8_t b = bytes[static_cast<std::size_t>(i / 2)];
        setNibble(bank, address + i, static_cast<std::uint8_t>(b >> (i % 2 * kNibbleBits)));
    }
}

std::uint32_t NibbleMemory::value(const Location& at) const
{
    std::uint32_t v = 0;
    for (int i = at.nibbles - 1; i >= 0; --i)
        v = (v << kNibbleBits) | nibble(at.bank, at.address + i);
    return v;
}

std::int32_t NibbleMemory::signedValue(const Location& at) const
{
    const int bits = at.nibbles * kNibbleBits;
    const std::int64_t v = value(at);
    const std::int64_t signBit = std::int64_t{1} << (bits - 1);
    return static_cast<std::int32_t>((v & signBit) != 0 ? v - (signBit << 1) : v);
}

void NibbleMemory::setValue(const Location& at, std::int64_t v)
{
    auto u = static_cast<std::uint64_t>(v);
    for (int i = 0; i < at.nibbles; ++i) {
        setNibble(at.bank, at.address + i, static_cast<std::uint8_t>(u & kNibbleMask));
        u >>= kNibbleBits;
    }
}

int NibbleMemory::bcdValue(const Location& at) const
{
    int v = 0;
    for (int i = at.nibbles - 1; i >= 0; --i) {
        const int digit = nibble(at.bank, at.address + i);
        if (digit >= kDecimalBase)
            return -1;
        v = v * kDecimalBase + digit;
    }
    return v;
}

void NibbleMemory::setBcdValue(const Location& at, int v)
{
    for (int i = 0; i < at.nibbles; ++i) {
        setNibble(at.bank, at.address + i, static_cast<std::uint8_t>(v % kDecimalBase));
        v /= kDecimalBase;
    }
}

bool NibbleMemory::overlaps(const Location& at, int bank, int address, int nibbles)
{
    if (at.bank != bank)
        return false;
    for (int i = 0; i < nibbles; ++i) {
        const int a = wrapAddress(address + i);
        if (wrapAddress(a - at.address) < at.nibbles)
            return true;
    }
    return false;
}

} // namespace bv::sim
