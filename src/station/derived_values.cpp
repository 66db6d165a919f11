#include "station/derived_values.h"

#include <algorithm>
#include <cmath>

#include "station/conditions.h"

namespace bv::station {

namespace {

// Wind-chill factors by row 10 - speed / 5: A is the factor at the row's lower
// speed, B the step per mph in sixteenths.
constexpr std::array<int, 11> kChillBase = {156, 151, 146, 141, 133, 123, 110, 87, 61, 14, 0};
constexpr std::array<int, 11> kChillStep = {0, 16, 16, 16, 25, 33, 41, 74, 82, 152, 0};
constexpr int kChillSpeedCapMph = 50;
constexpr double kChillNeutralF = 91.4; // no chill at or above this temperature

constexpr double kThermalIndexCapF = 122;
constexpr double kThermalIndexAboveCap = 150;

} // namespace

const std::array<std::array<short, kThermalIndexColumns>, kThermalIndexRows> ThermalIndexTable = {{
    {{61, 63, 63, 64, 66, 66, 68, 68, 70, 70, 70}},            // 68 °F
    {{63, 64, 65, 65, 67, 67, 69, 69, 71, 71, 72}},            // 69 °F
    {{65, 65, 66, 66, 68, 68, 70, 70, 72, 72, 74}},            // 70 °F
    {{66, 66, 67, 67, 69, 69, 71, 71, 73, 73, 75}},            // 71 °F
    {{67, 67, 68, 69, 70, 71, 72, 72, 74, 74, 76}},            // 72 °F
    {{68, 68, 69, 71, 71, 73, 73, 74, 75, 75, 77}},            // 73 °F
    {{69, 69, 70, 72, 72, 74, 74, 76, 76, 76, 78}},            // 74 °F
    {{70, 71, 71, 73, 73, 75, 75, 77, 77, 78, 79}},            // 75 °F
    {{71, 72, 73, 74, 74, 76, 76, 78, 79, 80, 80}},            // 76 °F
    {{72, 73, 75, 75, 75, 77, 77, 79, 81, 81, 82}},            // 77 °F
    {{74, 74, 76, 76, 77, 78, 79, 80, 82, 83, 84}},            // 78 °F
    {{75, 75, 77, 77, 79, 79, 81, 81, 83, 85, 87}},            // 79 °F
    {{76, 76, 78, 78, 80, 80, 82, 83, 85, 87, 90}},            // 80 °F
    {{77, 77, 79, 79, 81, 81, 83, 85, 87, 89, 93}},            // 81 °F
    {{78, 78, 80, 80, 82, 83, 84, 87, 89, 92, 96}},            // 82 °F
    {{79, 79, 81, 81, 83, 85, 85, 89, 91, 95, 99}},            // 83 °F
    {{79, 80, 81, 82, 84, 86, 87, 91, 94, 98, 103}},           // 84 °F
    {{80, 81, 81, 83, 85, 87, 89, 93, 97, 101, 108}},          // 85 °F
    {{81, 82, 82, 84, 86, 88, 91, 95, 99, 104, 113}},          // 86 °F
    {{82, 83, 83, 85, 87, 90, 93, 97, 102, 109, 120}},         // 87 °F
    {{83, 84, 84, 86, 88, 92, 95, 99, 105, 114, 131}},         // 88 °F
    {{84, 84, 85, 87, 90, 94, 97, 102, 109, 120, 144}},        // 89 °F
    {{84, 85, 86, 89, 92, 95, 99, 105, 113, 128, 150}},        // 90 °F
    {{84, 86, 87, 91, 93, 96, 101, 108, 118, 136, 150}},       // 91 °F
    {{85, 87, 88, 92, 94, 98, 104, 112, 124, 144, 150}},       // 92 °F
    {{86, 88, 89, 93, 96, 100, 107, 116, 130, 150, 150}},      // 93 °F
    {{87, 89, 90, 94, 98, 102, 110, 120, 137, 150, 150}},      // 94 °F
    {{88, 90, 91, 95, 99, 104, 113, 124, 144, 150, 150}},      // 95 °F
    {{89, 91, 93, 97, 101, 107, 117, 128, 150, 150, 150}},     // 96 °F
    {{90, 92, 95, 99, 103, 110, 121, 132, 150, 150, 150}},     // 97 °F
    {{90, 93, 96, 100, 105, 113, 125, 150, 150, 150, 150}},    // 98 °F
    {{90, 94, 97, 101, 107, 116, 129, 150, 150, 150, 150}},    // 99 °F
    {{91, 95, 98, 103, 110, 119, 133, 150, 150, 150, 150}},    // 100 °F
    {{92, 96, 99, 105, 112, 122, 137, 150, 150, 150, 150}},    // 101 °F
    {{93, 97, 100, 106, 114, 125, 150, 150, 150, 150, 150}},   // 102 °F
    {{94, 98, 102, 107, 117, 128, 150, 150, 150, 150, 150}},   // 103 °F
    {{95, 99, 104, 109, 120, 132, 150, 150, 150, 150, 150}},   // 104 °F
    {{95, 100, 105, 111, 123, 135, 150, 150, 150, 150, 150}},  // 105 °F
    {{95, 101, 106, 113, 126, 150, 150, 150, 150, 150, 150}},  // 106 °F
    {{96, 102, 107, 115, 130, 150, 150, 150, 150, 150, 150}},  // 107 °F
    {{97, 103, 108, 117, 133, 150, 150, 150, 150, 150, 150}},  // 108 °F
    {{98, 104, 110, 119, 137, 150, 150, 150, 150, 150, 150}},  // 109 °F
    {{99, 105, 112, 122, 142, 150, 150, 150, 150, 150, 150}},  // 110 °F
    {{100, 106, 113, 125, 150, 150, 150, 150, 150, 150, 150}}, // 111 °F
    {{100, 107, 115, 128, 150, 150, 150, 150, 150, 150, 150}}, // 112 °F
    {{100, 108, 117, 131, 150, 150, 150, 150, 150, 150, 150}}, // 113 °F
    {{101, 109, 119, 134, 150, 150, 150, 150, 150, 150, 150}}, // 114 °F
    {{102, 110, 121, 136, 150, 150, 150, 150, 150, 150, 150}}, // 115 °F
    {{103, 111, 123, 140, 150, 150, 150, 150, 150, 150, 150}}, // 116 °F
    {{104, 112, 125, 143, 150, 150, 150, 150, 150, 150, 150}}, // 117 °F
    {{105, 113, 127, 150, 150, 150, 150, 150, 150, 150, 150}}, // 118 °F
    {{106, 114, 129, 150, 150, 150, 150, 150, 150, 150, 150}}, // 119 °F
    {{107, 116, 131, 150, 150, 150, 150, 150, 150, 150, 150}}, // 120 °F
    {{108, 117, 133, 150, 150, 150, 150, 150, 150, 150, 150}}, // 121 °F
    {{108, 118, 136, 150, 150, 150, 150, 150, 150, 150, 150}}, // 122 °F
}};

double dewPoint(int hum, double tempF)
{
    if (hum < 1 || hum > 100 || tempF < -100 || tempF > 200 || isMissing(tempF))
        return units::kMissingValue;
    const double t = (tempF - 32) * 5 / 9;
    const double g = std::log(hum * 0.01 * std::exp(17.502 * t / (t + 240.9)));
    return 32 + 1.8 * (240.9 * g / (17.5 - g));
}

double windChill(int speedMph, double tempF)
{
    if (tempF > 220 || tempF < -100 || isMissing(tempF) || speedMph == kMissingInt)
        return units::kMissingValue;
    // A calm reading below zero (never sent by a station, but possible from a
    // miscalibrated sensor) counts as calm rather than indexing past the table.
    const int speed = std::clamp(speedMph, 0, kChillSpeedCapMph);
    const int row = 10 - speed / 5;
    const double factor = kChillStep[row] * 0.0625 * (speed % 5) + kChillBase[row];
    double chill = tempF;
    if (tempF < kChillNeutralF)
        chill = tempF + factor * (tempF - kChillNeutralF) / 256;
    // Rounded half away from zero, so that negative chills are not pushed up a tenth.
    return std::round(chill * 10) / 10;
}

double thermalIndex(int hum, double tempF)
{
    if (hum <= 0 || hum > 100 || tempF < kThermalIndexFirstRowF || tempF > 200)
        return units::kMissingValue;
    if (tempF > kThermalIndexCapF)
        return kThermalIndexAboveCap;
    const auto& row = ThermalIndexTable[static_cast<std::size_t>(
        std::trunc(tempF + 0.5 - kThermalIndexFirstRowF))];
    const auto column = static_cast<std::size_t>(hum / 10);
    const double entry = row[column];
    if (hum % 10 == 0)
        return entry;
    return entry + 0.1 * (hum % 10) * (row[column + 1] - entry);
}

DerivedWeather deriveWeather(double outsideTemp, int outsideHum, double windSpeed,
                             const units::UnitsSelection& units)
{
    const bool celsius = units.temperature == units::TemperatureUnit::Celsius;
    const double tempF =
        isMissing(outsideTemp) || !celsius ? outsideTemp : units::celsiusToFahrenheit(outsideTemp);
    const int speedMph =
        isMissing(windSpeed) ? kMissingInt : units::fromWindSpeed(windSpeed, units.wind);
    const auto inUserUnit = [celsius](double f) {
        return isMissing(f) || !celsius ? f : static_cast<double>(units::fahrenheitToCelsius(f));
    };
    return DerivedWeather{inUserUnit(dewPoint(outsideHum, tempF)),
                          inUserUnit(windChill(speedMph, tempF)),
                          inUserUnit(thermalIndex(outsideHum, tempF))};
}

} // namespace bv::station
