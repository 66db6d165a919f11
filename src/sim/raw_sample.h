#pragma once

#include <array>
#include <bitset>
#include <limits>

#include "sim/weather_model.h"

namespace bv::sim {

// The readings a station keeps, in its own raw units.
enum class Reading : int {
    OutsideTemp, // tenths of a degree F
    InsideTemp,
    SoilTemp,
    DewPoint,
    WindChill,
    ThermalIndex,
    OutsideHumidity, // percent
    InsideHumidity,
    Barometer,      // thousandths of inHg
    WindSpeed,      // mph
    WindDirection,  // degrees 0..359
    RainRateTips,   // tips per hour
    RainRateTenths, // tenths of an inch per hour
    RainInterval,   // half-seconds between tips; kNoRainInterval when dry
    SolarRadiation, // W/m2
    LeafWetness,    // 0..15
    Count,
};

inline constexpr int kReadingCount = static_cast<int>(Reading::Count);
// A reading whose sensor is missing; each encoder writes its own marker.
inline constexpr int kMissing = std::numeric_limits<int>::min();
// The longest time between tips the station counts (half-seconds): no rain.
inline constexpr int kNoRainInterval = 1919;

using MissingSensors = std::bitset<kReadingCount>;

struct RawSample {
    std::array<int, kReadingCount> values{};

    int operator[](Reading r) const { return values[static_cast<std::size_t>(r)]; }
    int& operator[](Reading r) { return values[static_cast<std::size_t>(r)]; }
    bool missing(Reading r) const { return (*this)[r] == kMissing; }
};

// Rounds the weather to raw units and works out the station's own derived
// values (dew point, wind chill, thermal index). Readings flagged in missing
// come out as kMissing, and so do values derived from them.
RawSample quantizeWeather(const Weather& w, int tipsPerInch, const MissingSensors& missing);

} // namespace bv::sim
