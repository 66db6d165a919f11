#include "sim/weather_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/local_time.h"
#include "sim/value_noise.h"

namespace bv::sim {

namespace {

// Noise channels; each drives one aspect of the weather.
enum Channel : int {
    FrontTemp = 1,
    HourlyTemp,
    DailyRange,
    Moisture,
    Front,
    PressureRipple,
    WindStrength,
    Gust,
    Turbulence,
    Veer,
    DirectionSwing,
    DirectionJitter,
    Cloud,
    IndoorTemp,
    IndoorHumidity,
    ShowerOdds,
    ShowerStart,
    ShowerLength,
    ShowerPeak,
};

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kDaysPerYear = 365.25;
constexpr std::int64_t kShowerSlotMs = 3 * kMsPerHour;
constexpr double kWarmestHour = 15.0;

// Magnus formula (Celsius), good to a few tenths between -40 and 50 C.
constexpr double kMagnusA = 17.62;
constexpr double kMagnusB = 243.12;

double toCelsius(double f)
{
    return (f - 32.0) / 1.8;
}

double relativeHumidity(double tempF, double dewF)
{
    const double t = toCelsius(tempF);
    const double d = toCelsius(dewF);
    return 100.0 * std::exp(kMagnusA * d / (kMagnusB + d) - kMagnusA * t / (kMagnusB + t));
}

double dailyCycle(double hourOfDay, double peakHour)
{
    return std::cos(kTwoPi * (hourOfDay - peakHour) / 24.0);
}

} // namespace

double WeatherModel::noise(int channel, std::int64_t localMs, std::int64_t periodMs) const
{
    return smoothNoise(settings_.seed, channel, localMs, periodMs);
}

double WeatherModel::showerIn(std::int64_t slot, std::int64_t localMs) const
{
    const std::uint64_t seed = settings_.seed;
    if (hashUnit(seed, ShowerOdds, slot) >= settings_.showerChance)
        return 0.0;
    const std::int64_t start =
        slot * kShowerSlotMs +
        static_cast<std::int64_t>(hashUnit(seed, ShowerStart, slot) * 2.0 * kMsPerHour);
    const std::int64_t length =
        15 * kMsPerMinute +
        static_cast<std::int64_t>(hashUnit(seed, ShowerLength, slot) * 60.0 * kMsPerMinute);
    if (localMs < start || localMs >= start + length)
        return 0.0;
    const double u = hashUnit(seed, ShowerPeak, slot);
    const double peak = 0.05 + 0.9 * u * u; // inches per hour
    const double phase =
        static_cast<double>(localMs - start) / static_cast<double>(length) * std::numbers::pi;
    return peak * std::sin(phase);
}

double WeatherModel::rainAt(std::int64_t localMs) const
{
    const std::int64_t slot = localMs / kShowerSlotMs;
    return showerIn(slot, localMs) + showerIn(slot - 1, localMs);
}

double WeatherModel::solarAt(std::int64_t localMs, double hourOfDay, double cloud) const
{
    const double lat = settings_.latitudeDeg * std::numbers::pi / 180.0;
    const double declination =
        23.44 * std::numbers::pi / 180.0 * std::sin(kTwoPi * (284.0 + dayOfYear(localMs)) / 365.0);
    const double hourAngle = (hourOfDay - 12.0) * 15.0 * std::numbers::pi / 180.0;
    const double sinElevation = std::sin(lat) * std::sin(declination) +
                                std::cos(lat) * std::cos(declination) * std::cos(hourAngle);
    if (sinElevation <= 0.0)
        return 0.0;
    const double clearSky = 1050.0 * std::pow(sinElevation, 1.15);
    return clearSky * (1.0 - 0.75 * cloud);
}

Weather WeatherModel::at(std::int64_t localMs) const
{
    const double hour = static_cast<double>(localMs - dayNumber(localMs) * kMsPerDay) /
                        static_cast<double>(kMsPerHour);
    const double season = std::cos(kTwoPi * (dayOfYear(localMs) - 20) / kDaysPerYear);
    const double rain = rainAt(localMs);
    const double wetness = std::min(1.0, rain / 0.3);

    Weather w;
    const double seasonalMean = 52.0 - 22.0 * season;
    const double range = 9.0 + 3.0 * noise(DailyRange, localMs, 2 * kMsPerDay);
    const double front = noise(FrontTemp, localMs, 36 * kMsPerHour);
    w.outsideTempF = seasonalMean + range * dailyCycle(hour, kWarmestHour) + 6.0 * front +
                     2.0 * noise(HourlyTemp, localMs, 4 * kMsPerHour) - 4.0 * wetness;

    const double dryDew = seasonalMean - 10.0 + 6.0 * noise(Moisture, localMs, 30 * kMsPerHour);
    const double dew = dryDew + (w.outsideTempF - 0.5 - dryDew) * wetness;
    w.dewPointF = std::min(dew, w.outsideTempF);
    w.outsideHumidity = std::clamp(relativeHumidity(w.outsideTempF, w.dewPointF), 5.0, 100.0);

    w.soilTempF = seasonalMean + 0.35 * range * dailyCycle(hour, 18.0) + 3.0 * front;
    w.insideTempF =
        69.0 + 1.5 * dailyCycle(hour, 18.0) + 0.8 * noise(IndoorTemp, localMs, 8 * kMsPerHour);
    w.insideHumidity = std::clamp(40.0 + 5.0 * noise(IndoorHumidity, localMs, 20 * kMsPerHour) +
                                      0.15 * (w.outsideHumidity - 60.0),
                                  15.0, 80.0);

    w.barometerInHg = 29.95 + 0.35 * noise(Front, localMs, 60 * kMsPerHour) +
                      0.06 * noise(PressureRipple, localMs, 8 * kMsPerHour) - 0.05 * wetness;

    const double afternoon = std::max(0.0, std::sin(std::numbers::pi * (hour - 9.0) / 12.0));
    const double sustained =
        std::max(0.0, 6.0 + 4.0 * afternoon + 5.0 * noise(WindStrength, localMs, 12 * kMsPerHour) +
                          8.0 * wetness);
    const double gust = 0.6 * sustained * std::max(0.0, noise(Gust, localMs, 20 * kMsPerSecond));
    w.windMph =
        std::max(0.0, sustained + gust + 1.5 * noise(Turbulence, localMs, 5 * kMsPerSecond));
    const double direction = 225.0 + 120.0 * noise(Veer, localMs, kMsPerDay) +
                             40.0 * noise(DirectionSwing, localMs, 40 * kMsPerMinute) +
                             10.0 * noise(DirectionJitter, localMs, 8 * kMsPerSecond);
    w.windDirDeg = std::fmod(std::fmod(direction, 360.0) + 360.0, 360.0);

    w.rainInPerHour = rain;
    const double cloud = std::max(
        wetness, std::clamp(0.45 + 0.55 * noise(Cloud, localMs, 10 * kMsPerHour), 0.0, 1.0));
    w.solarWm2 = solarAt(localMs, hour, cloud);

    const double recentRain = std::max(rainAt(localMs - 30 * kMsPerMinute) > 0 ? 10.0 : 0.0,
                                       rainAt(localMs - kMsPerHour) > 0 ? 6.0 : 0.0);
    const double dewWet = w.outsideHumidity > 90.0 ? (w.outsideHumidity - 90.0) * 1.5 : 0.0;
    const double wet = rain > 0 ? 15.0 : std::max(recentRain, dewWet);
    w.leafWetness = std::clamp(wet * (1.0 - std::min(1.0, w.solarWm2 / 700.0)), 0.0, 15.0);

    w.etInPerHour = std::max(0.0, 0.00002 * w.solarWm2 * (0.5 + w.outsideTempF / 120.0) *
                                      (1.0 + w.windMph / 40.0));
    return w;
}

} // namespace bv::sim
