#pragma once

#include <array>

#include "units/units_selection.h"

namespace bv::station {

// Values derived from the current conditions. Inputs are humidity in whole percent,
// temperature in °F and wind speed in whole mph; results are in °F, and the caller
// converts them to the user's unit. -100 in or out marks a missing value.

// Dew point by the Magnus formula; missing unless 1 <= hum <= 100 and
// -100 <= tempF <= 200.
double dewPoint(int hum, double tempF);

// Wind chill from the station's own table of factors, held to tenths; equals the
// temperature below 5 mph and at 91.4 °F or above. Speeds above 50 mph count as 50.
double windChill(int speedMph, double tempF);

// Temperature-humidity index read from ThermalIndexTable; missing unless
// 0 < hum <= 100 and 68 <= tempF <= 200; 150 above 122 °F.
double thermalIndex(int hum, double tempF);

// The three derived values of the current conditions, in the user's temperature
// unit; -100 where an input is missing or out of the formula's range.
struct DerivedWeather {
    double dewPoint = -100;
    double windChill = -100;
    double thermalIndex = -100;
};

// From the outside temperature, humidity and wind speed of a current-conditions
// record, which are in the user's units.
DerivedWeather deriveWeather(double outsideTemp, int outsideHum, double windSpeed,
                             const units::UnitsSelection& units);

inline constexpr int kThermalIndexFirstRowF = 68;
inline constexpr int kThermalIndexRows = 55;    // 68 .. 122 °F
inline constexpr int kThermalIndexColumns = 11; // humidity 0, 10, .. 100 %

// One row per whole °F from 68 to 122, columns for humidity 0 % to 100 % in steps
// of 10; whole °F.
extern const std::array<std::array<short, kThermalIndexColumns>, kThermalIndexRows>
    ThermalIndexTable;

} // namespace bv::station
