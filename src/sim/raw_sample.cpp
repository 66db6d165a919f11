#include "sim/raw_sample.h"

#include <algorithm>
#include <cmath>

namespace bv::sim {

namespace {

constexpr double kTenths = 10.0;
constexpr double kThousandths = 1000.0;
constexpr double kHalfSecondsPerHour = 7200.0;
constexpr double kCoolAirF = 68.0; // below it the thermal index is the air temperature

int tenths(double v)
{
    return static_cast<int>(std::lround(v * kTenths));
}

// Wind chill as the station works it out: the 2001 formula below 50 F with at
// least 3 mph of wind, else the air temperature.
double windChillF(double tempF, double mph)
{
    if (tempF > 50.0 || mph < 3.0)
        return tempF;
    const double v = std::pow(mph, 0.16);
    return 35.74 + 0.6215 * tempF - 35.75 * v + 0.4275 * tempF * v;
}

// Heat index: the regression above 80 F, the simple formula below, and in
// cool air, where there is no heat stress, the air temperature itself.
double thermalIndexF(double tempF, double hum)
{
    if (tempF < kCoolAirF)
        return tempF;
    const double simple = 0.5 * (tempF + 61.0 + (tempF - 68.0) * 1.2 + hum * 0.094);
    if ((simple + tempF) / 2.0 < 80.0)
        return simple;
    return -42.379 + 2.04901523 * tempF + 10.14333127 * hum - 0.22475541 * tempF * hum -
           0.00683783 * tempF * tempF - 0.05481717 * hum * hum + 0.00122874 * tempF * tempF * hum +
           0.00085282 * tempF * hum * hum - 0.00000199 * tempF * tempF * hum * hum;
}

} // namespace

RawSample quantizeWeather(const Weather& w, int tipsPerInch, const MissingSensors& missing)
{
    RawSample s;
    s[Reading::OutsideTemp] = tenths(w.outsideTempF);
    s[Reading::InsideTemp] = tenths(w.insideTempF);
    s[Reading::SoilTemp] = tenths(w.soilTempF);
    s[Reading::DewPoint] = tenths(w.dewPointF);
    s[Reading::WindChill] = tenths(windChillF(w.outsideTempF, w.windMph));
    s[Reading::ThermalIndex] = tenths(thermalIndexF(w.outsideTempF, w.outsideHumidity));
    s[Reading::OutsideHumidity] = static_cast<int>(std::lround(w.outsideHumidity));
    s[Reading::InsideHumidity] = static_cast<int>(std::lround(w.insideHumidity));
    s[Reading::Barometer] = static_cast<int>(std::lround(w.barometerInHg * kThousandths));
    s[Reading::WindSpeed] = static_cast<int>(std::lround(w.windMph));
    s[Reading::WindDirection] = static_cast<int>(std::lround(w.windDirDeg)) % 360;
    const double tipsPerHour = w.rainInPerHour * tipsPerInch;
    s[Reading::RainRateTips] = static_cast<int>(std::lround(tipsPerHour));
    s[Reading::RainRateTenths] = std::min(254, tenths(w.rainInPerHour));
    s[Reading::RainInterval] =
        tipsPerHour * kNoRainInterval <= kHalfSecondsPerHour
            ? kNoRainInterval
            : std::max(1, static_cast<int>(std::lround(kHalfSecondsPerHour / tipsPerHour)));
    s[Reading::SolarRadiation] = static_cast<int>(std::lround(w.solarWm2));
    s[Reading::LeafWetness] = static_cast<int>(std::lround(w.leafWetness));

    for (int i = 0; i < kReadingCount; ++i)
        if (missing.test(static_cast<std::size_t>(i)))
            s.values[static_cast<std::size_t>(i)] = kMissing;
    const bool noOutsideTemp = s.missing(Reading::OutsideTemp);
    if (noOutsideTemp || s.missing(Reading::OutsideHumidity)) {
        s[Reading::DewPoint] = kMissing;
        s[Reading::ThermalIndex] = kMissing;
    }
    if (noOutsideTemp || s.missing(Reading::WindSpeed))
        s[Reading::WindChill] = kMissing;
    return s;
}

} // namespace bv::sim
