#include "units/units_selection.h"

#include <array>

namespace bv::units {

namespace {

constexpr std::array<std::string_view, 2> kTemperatureLabels = {"\u00B0F", "\u00B0C"};
constexpr std::array<std::string_view, 2> kRainLabels = {"in", "mm"};
constexpr std::array<std::string_view, 4> kBarometerLabels = {"in", "mm", "mb", "hPa"};
constexpr std::array<std::string_view, 4> kWindLabels = {"mph", "knot", "km/hr", "m/s"};

// Sets unit from code when the code names one of the count units.
template <typename Unit> void applyCode(Unit& unit, int code, std::size_t count)
{
    if (code >= 0 && static_cast<std::size_t>(code) < count) {
        unit = static_cast<Unit>(code);
    }
}

} // namespace

void applyUnitCodes(UnitsSelection& units, int temperatureCode, int rainCode, int barometerCode,
                    int windCode)
{
    applyCode(units.temperature, temperatureCode, kTemperatureLabels.size());
    applyCode(units.rain, rainCode, kRainLabels.size());
    applyCode(units.barometer, barometerCode, kBarometerLabels.size());
    applyCode(units.wind, windCode, kWindLabels.size());
}

std::string_view unitLabel(TemperatureUnit unit)
{
    return kTemperatureLabels.at(static_cast<std::size_t>(unit));
}

std::string_view unitLabel(RainUnit unit)
{
    return kRainLabels.at(static_cast<std::size_t>(unit));
}

std::string_view unitLabel(BarometerUnit unit)
{
    return kBarometerLabels.at(static_cast<std::size_t>(unit));
}

std::string_view unitLabel(WindUnit unit)
{
    return kWindLabels.at(static_cast<std::size_t>(unit));
}

} // namespace bv::units
