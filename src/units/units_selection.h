#pragma once

#include <cstdint>
#include <string_view>

namespace bv::units {

// Display units chosen by the user. The numeric values are the one-byte codes kept
// in the configuration record (tempUnit, rainUnit, baroUnit, windUnit).
enum class TemperatureUnit : std::uint8_t { Fahrenheit = 0, Celsius = 1 };
enum class RainUnit : std::uint8_t { Inch = 0, Millimetre = 1 };
enum class BarometerUnit : std::uint8_t { Inch = 0, Millimetre = 1, Millibar = 2, Hectopascal = 3 };
enum class WindUnit : std::uint8_t { Mph = 0, Knot = 1, KmPerHour = 2, MetresPerSecond = 3 };

struct UnitsSelection {
    TemperatureUnit temperature = TemperatureUnit::Fahrenheit;
    RainUnit rain = RainUnit::Inch;
    BarometerUnit barometer = BarometerUnit::Inch;
    WindUnit wind = WindUnit::Mph;

    friend bool operator==(const UnitsSelection&, const UnitsSelection&) = default;
};

// Takes the four codes in the order the station link receives them (temperature,
// rain, barometer, wind). A code outside its range leaves that unit as it was.
void applyUnitCodes(UnitsSelection& units, int temperatureCode, int rainCode, int barometerCode,
                    int windCode);

// Labels as the units dialog shows them: "°F"/"°C", "in"/"mm", "in"/"mm"/"mb"/"hPa",
// "mph"/"knot"/"km/hr"/"m/s" (UTF-8).
std::string_view unitLabel(TemperatureUnit unit);
std::string_view unitLabel(RainUnit unit);
std::string_view unitLabel(BarometerUnit unit);
std::string_view unitLabel(WindUnit unit);

} // namespace bv::units
