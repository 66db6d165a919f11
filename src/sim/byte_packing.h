#pragma once

#include <cstdint>
#include <vector>

#include "sim/raw_sample.h"

namespace bv::sim {

// Appends the low `bytes` bytes of v, least significant first.
inline void putLittleEndian(std::vector<std::uint8_t>& out, std::int64_t v, int bytes)
{
    constexpr int kBitsPerByte = 8;
    constexpr std::int64_t kByteMask = 0xFF;
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>((v >> (i * kBitsPerByte)) & kByteMask));
}

// A reading, or the marker the station writes for a missing sensor.
inline int orMarker(int reading, int marker)
{
    return reading == kMissing ? marker : reading;
}

inline std::uint8_t toBcd(int v)
{
    constexpr int kDecimalBase = 10;
    constexpr int kNibbleBits = 4;
    return static_cast<std::uint8_t>((v / kDecimalBase) << kNibbleBits | (v % kDecimalBase));
}

// Compass sector 0..15 (0 = N) of a direction in degrees, or marker.
inline int compassIndex(int degrees, int marker)
{
    constexpr int kSectorsTimesTen = 225; // 22.5 degrees per sector
    return degrees == kMissing ? marker : degrees * 10 / kSectorsTimesTen;
}

} // namespace bv::sim
