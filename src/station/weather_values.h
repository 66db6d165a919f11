#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "station/station_memory.h"
#include "units/units_selection.h"

// Weather values as users see them, shared by the archive file, the
// templates, the images, the alarms and the command line: a value with its
// missing or no-answer state, the quantities and their unit labels, and the
// texts every format builds on. Values arrive already in the chosen units
// (the station link converts as it reads); nothing here converts again.
namespace bv::station {

// Whether a reading holds a number. The station marks a missing sensor with
// -100; -101 stands for a read the station did not answer.
enum class ValueState { Present, Missing, NoAnswer };

class WeatherValue {
  public:
    // A reading as the station layer gives it: -100 is Missing, -101 NoAnswer,
    // a NaN or infinity Missing, anything else Present.
    static WeatherValue fromReading(double reading);
    // A number that is never a marker (raw words and counters, limits the
    // user typed): -100 stays the number -100.
    static WeatherValue number(double value) { return WeatherValue(ValueState::Present, value); }
    static WeatherValue missing() { return WeatherValue(ValueState::Missing, 0); }
    static WeatherValue noAnswer() { return WeatherValue(ValueState::NoAnswer, 0); }

    ValueState state() const { return state_; }
    bool present() const { return state_ == ValueState::Present; }
    // The number; nothing unless present.
    std::optional<double> value() const;

    friend bool operator==(const WeatherValue&, const WeatherValue&) = default;

  private:
    WeatherValue(ValueState state, double value) : state_(state), value_(value) {}

    ValueState state_;
    double value_;
};

// The quantities of both station families.
enum class Quantity {
    Temperature, // outside, inside, air, soil; dew point, wind chill, thermal index
    Humidity,    // percent
    Barometer,
    WindSpeed,
    WindDirection, // degrees
    Rain,          // daily, monthly, yearly, storm rain; evapotranspiration
    RainRate,
    SolarRadiation, // as the station reports it
    SolarEnergy,
    WindRun,
    DegreeDays,
    LeafWetness, // 0..15
};

// The unit label of a quantity in the chosen units: the Units dialog's labels
// ("°F", "in", "hPa", "km/hr", ...), "%" for humidity, "°" for directions,
// the rain label with "/hr" for rain rates, and "" where the station's own
// scale is shown unlabelled.
std::string unitLabel(Quantity quantity, const units::UnitsSelection& units);

// What a value that is not present prints as: "----".
std::string_view missingText();

// The number with exactly `decimals` digits after the point, rounded half
// away from zero on its decimal text (a value that is exactly a float is
// taken as that float, as the station's records hold floats: 72.45f gives
// "72.5"). No "-0.0": a value that rounds to zero prints without a sign.
// A NaN or infinity prints as missingText().
std::string formatFixed(double value, int decimals);
// The value by formatFixed, or missingText() when it is missing or not answered.
std::string valueText(const WeatherValue& value, int decimals);

// The compass point ("N" ... "NNW") of a direction in degrees: the sector
// index is the degrees divided by 22.5, truncated; an index outside 0..15
// (a negative direction, the markers, 360 and above) prints missingText().
std::string_view compassText(double degrees);
std::string_view compassText(const WeatherValue& direction);

// The trend word of the barometer: "steady", "rising" or "falling"; nothing
// when the station shows no trend or did not answer.
std::optional<std::string_view> trendText(BarometerTrend trend);

} // namespace bv::station
