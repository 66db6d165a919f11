#pragma once

#include <cstdint>

namespace bv::sim {

// The weather at one moment, in physical units.
struct Weather {
    double outsideTempF = 0;
    double insideTempF = 0;
    double soilTempF = 0;
    double dewPointF = 0;
    double outsideHumidity = 0; // percent
    double insideHumidity = 0;  // percent
    double barometerInHg = 0;   // reduced to sea level
    double windMph = 0;         // the instantaneous speed, gusts included
    double windDirDeg = 0;      // 0 <= d < 360, where the wind comes from
    double rainInPerHour = 0;
    double solarWm2 = 0;
    double leafWetness = 0; // 0 dry .. 15 soaked
    double etInPerHour = 0; // evapotranspiration rate
};

struct WeatherSettings {
    std::uint64_t seed = 1;
    double latitudeDeg = 45.0;
    double showerChance = 0.15; // chance of a shower in each 3-hour slot
};

// Weather as a pure function of local time: a seasonal mean, a daily cycle
// (coldest before sunrise, warmest mid-afternoon), fronts that move the
// barometer over days, wind that freshens in the afternoon, gusts over seconds
// and a direction that veers over hours, and showers that cool the air and wet
// the leaves. Two models with the same settings agree at every moment.
class WeatherModel {
  public:
    explicit WeatherModel(const WeatherSettings& settings) : settings_(settings) {}

    Weather at(std::int64_t localMs) const;
    double rainAt(std::int64_t localMs) const; // inches per hour
    const WeatherSettings& settings() const { return settings_; }

  private:
    double noise(int channel, std::int64_t localMs, std::int64_t periodMs) const;
    double showerIn(std::int64_t slot, std::int64_t localMs) const;
    double solarAt(std::int64_t localMs, double hourOfDay, double cloud) const;

    WeatherSettings settings_;
};

} // namespace bv::sim
