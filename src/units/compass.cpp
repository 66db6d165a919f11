#include "units/compass.h"

#include <array>
#include <cmath>

namespace bv::units {

namespace {

constexpr double kSectorDegrees = 22.5;
constexpr double kFullCircle = 360.0;

constexpr std::array<std::string_view, 16> kCompassNames = {"N",  "NNE", "NE", "ENE", "E",  "ESE",
                                                            "SE", "SSE", "S",  "SSW", "SW", "WSW",
                                                            "W",  "WNW", "NW", "NNW"};

} // namespace

int compassIndex(double degrees)
{
    if (!std::isfinite(degrees) || degrees < 0.0) {
        return -1;
    }
    return static_cast<int>(std::fmod(degrees, kFullCircle) / kSectorDegrees);
}

std::string_view compassPoint(double degrees)
{
    const int index = compassIndex(degrees);
    if (index < 0) {
        return kNoCompassPoint;
    }
    return kCompassNames[static_cast<std::size_t>(index)];
}

} // namespace bv::units
