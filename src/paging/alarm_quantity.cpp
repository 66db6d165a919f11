#include "paging/alarm_quantity.h"

#include <array>
#include <cmath>

#include "station/weather_values.h"

namespace bv::paging {
namespace {

constexpr PageScale R = PageScale::Rounded;
constexpr PageScale H = PageScale::Hundredths;

constexpr std::array<QuantityInfo, kQuantityCount> kQuantities = {{
    {"Inside Temp", "Soil Temp", true, true, R, R},
    {"Outside Temp", "Outside Temp", true, true, R, R},
    {"Inside Humidity", "Daily ET", true, true, R, H},
    {"Outside Humidity", "Outside Humidity", true, true, R, R},
    {"Barometer", "Barometer", true, true, H, H},
    {"Wind Speed", "Wind Speed", false, true, R, R},
    {"Daily Rain", "Daily Rain", false, true, H, H},
    {"Rain Rate", "Rain Rate", false, true, H, H},
    {"Dew Point", "Dew Point", true, true, R, R},
    {"Wind Chill", "Wind Chill", true, false, R, R},
    {"THI", "THI", false, true, R, R},
    {"Wind Direction", "Wind Direction", false, false, R, R},
}};

// Added before truncating a value x 100, so that 29.92 held as 29.9199...
// still pages as 2992.
constexpr double kHundredthsNudge = 0.1;
constexpr double kHundredths = 100.0;
constexpr double kLargestPageValue = 1e9;

} // namespace

std::span<const QuantityInfo> alarmQuantities()
{
    return kQuantities;
}

std::string_view quantityName(int quantity, units::StationFamily family)
{
    const QuantityInfo& info = kQuantities.at(static_cast<std::size_t>(quantity));
    return family == units::StationFamily::Tirrel ? info.tirrelName : info.name;
}

bool isMissingReading(double value)
{
    return !station::WeatherValue::fromReading(value).present();
}

int wholePageValue(double value, bool truncate)
{
    // No reading of a station comes near this; a corrupt one must not overflow.
    if (isMissingReading(value) || std::fabs(value) > kLargestPageValue)
        return kMissingPageValue;
    if (truncate)
        return static_cast<int>(std::trunc(value));
    // Rounded as every other whole number the program shows.
    return std::stoi(station::formatFixed(value, 0));
}

int pageValue(int quantity, double value, units::StationFamily family)
{
    const QuantityInfo& info = kQuantities.at(static_cast<std::size_t>(quantity));
    const PageScale scale = family == units::StationFamily::Tirrel ? info.tirrelScale : info.scale;
    if (scale == PageScale::Rounded || isMissingReading(value))
        return wholePageValue(value, false);
    return wholePageValue(value * kHundredths + std::copysign(kHundredthsNudge, value), true);
}

} // namespace bv::paging
