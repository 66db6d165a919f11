#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace bv::sim {

// A value in nibble-addressed memory: bank 0 or 1, an 8-bit nibble address and
// a width in nibbles.
struct Location {
    int bank = 0;
    int address = 0;
    int nibbles = 1;
};

// Two banks of 256 nibbles, as the station's processor and its logger each
// present their memory. Nibble i of a value lives at address + i (the least
// significant nibble first); addresses wrap at the end of a bank.
class NibbleMemory {
  public:
    static constexpr int kBankCount = 2;
    static constexpr int kBankNibbles = 256;

    std::uint8_t nibble(int bank, int address) const;
    void setNibble(int bank, int address, std::uint8_t value);

    // The ceil(nibbles / 2) bytes a read answers with, low nibble first. When
    // the count is odd, the top half of the last byte carries the nibble that
    // follows the value in memory: the logger fetches whole bytes.
    std::vector<std::uint8_t> readBytes(int bank, int address, int nibbles) const;
    // Stores nibbles nibbles taken from bytes in the same order; the top half of
    // the last byte is ignored when the count is odd.
    void writeBytes(int bank, int address, int nibbles, std::span<const std::uint8_t> bytes);

    // Values of up to 8 nibbles.
    std::uint32_t value(const Location& at) const;
    // Sign-extended from the top bit of the value's width.
    std::int32_t signedValue(const Location& at) const;
    // Stores the two's complement of v, cut to the width.
    void setValue(const Location& at, std::int64_t v);
    // Two decimal digits per byte: the value's nibbles hold the digits.
    int bcdValue(const Location& at) const; // -1 when a nibble is not a digit
    void setBcdValue(const Location& at, int v);

    static bool overlaps(const Location& at, int bank, int address, int nibbles);

  private:
    std::array<std::array<std::uint8_t, kBankNibbles>, kBankCount> banks_{};
};

} // namespace bv::sim
