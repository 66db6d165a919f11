#include "units/conversions.h"

#include <cmath>
#include <limits>

namespace bv::units {

namespace {

// Raw temperatures that mean "no sensor".
constexpr int kMarkerHigh = 32767;
constexpr int kMarkerLow = -32768;
constexpr int kTirrelMarker2047 = 2047;
constexpr int kTirrelMarker2048 = 2048;

// Raw temperatures are tenths of a degree; 32 °F is raw 320.
constexpr double kTenth = 0.1;
constexpr double kRawFreezing = 320.0;
constexpr double kFreezingF = 32.0;
constexpr double kNinth = 0.1111111111111111;
constexpr double kNinetieth = 0.011111111111111112;
constexpr double kFiveFactor = 5.0;
constexpr double kNineFactor = 9.0;
constexpr double kFifth = 0.2;
constexpr double kTenFactor = 10.0;

// Barometer: raw is thousandths of an inch of mercury.
constexpr double kThousandth = 0.001;
constexpr double kThousandFactor = 1000.0;
constexpr double kRawToMillimetre = 0.0254;
constexpr double kRawToMillibar = 0.033864;
constexpr double kMillimetreToInch = 0.03937007874015748;
constexpr double kMillibarToInch = 0.029529971444517612;

// Wind: raw is miles per hour.
constexpr double kMphToKnot = 0.8695652173913044;
constexpr double kMphToKmPerHour = 1.609344;
constexpr double kMphToMetresPerSecond = 0.44704;
constexpr double kKnotToMph = 1.151;
constexpr double kKmPerHourToMph = 0.621371192237334;
constexpr double kMetresPerSecondToMph = 2.2369362920544025;

constexpr double kHalf = 0.5;
constexpr double kFahrenheitPerCelsius = 1.8;
constexpr double kCelsiusPerFahrenheit = 0.5555555555555556;

// A display value held in a float carries about seven significant digits, so 73.7 °F
// arrives as 73.69999695 and would truncate to raw 736. Results this close to a whole
// raw unit are taken as that unit before truncating.
constexpr double kSnapAbsolute = 1e-4;
constexpr double kSnapRelative = 1e-6;

// Truncation toward zero that saturates instead of overflowing.
int truncateToInt(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    const double nearest = std::round(value);
    if (std::fabs(value - nearest) <= kSnapAbsolute + kSnapRelative * std::fabs(value)) {
        value = nearest;
    }
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

bool isWideMarker(int raw)
{
    return raw == kMarkerHigh || raw == kMarkerLow;
}

} // namespace

bool isMissingRawTemperature(int raw, StationFamily family)
{
    if (isWideMarker(raw)) {
        return true;
    }
    return family == StationFamily::Tirrel &&
           (raw == kTirrelMarker2047 || raw == kTirrelMarker2048);
}

float toTemperature(int raw, TemperatureUnit unit, StationFamily family)
{
    if (isMissingRawTemperature(raw, family)) {
        return kMissingValue;
    }
    if (unit == TemperatureUnit::Celsius) {
        return static_cast<float>((raw - kRawFreezing) * kFiveFactor * kNinetieth);
    }
    return static_cast<float>(raw * kTenth);
}

float toTemperatureDifference(int raw, TemperatureUnit unit, StationFamily family)
{
    if (family == StationFamily::Tirrel && isWideMarker(raw)) {
        return kMissingValue;
    }
    if (unit == TemperatureUnit::Celsius) {
        return static_cast<float>(raw * kTenth * kFiveFactor * kNinth);
    }
    return static_cast<float>(raw * kTenth);
}

float toBarometer(int raw, BarometerUnit unit)
{
    switch (unit) {
    case BarometerUnit::Millimetre:
        return static_cast<float>(raw * kRawToMillimetre);
    case BarometerUnit::Millibar:
    case BarometerUnit::Hectopascal:
        return static_cast<float>(raw * kRawToMillibar);
    case BarometerUnit::Inch:
        break;
    }
    return static_cast<float>(raw * kThousandth);
}

float toWindSpeed(double mph, WindUnit unit)
{
    switch (unit) {
    case WindUnit::Knot:
        return static_cast<float>(mph * kMphToKnot);
    case WindUnit::KmPerHour:
        return static_cast<float>(mph * kMphToKmPerHour);
    case WindUnit::MetresPerSecond:
        return static_cast<float>(mph * kMphToMetresPerSecond);
    case WindUnit::Mph:
        break;
    }
    return static_cast<float>(mph);
}

int fromTemperature(double value, TemperatureUnit unit)
{
    if (unit == TemperatureUnit::Celsius) {
        return truncateToInt((value * kNineFactor * kFifth + kFreezingF) * kTenFactor);
    }
    return truncateToInt(value * kTenFactor);
}

int fromTemperatureDifference(double value, TemperatureUnit unit)
{
    if (unit == TemperatureUnit::Celsius) {
        return truncateToInt(value * kNineFactor * kFifth * kTenFactor);
    }
    return truncateToInt(value * kTenFactor);
}

int fromBarometer(double value, BarometerUnit unit)
{
    switch (unit) {
    case BarometerUnit::Millimetre:
        return truncateToInt(value * kThousandFactor * kMillimetreToInch + kHalf);
    case BarometerUnit::Millibar:
    case BarometerUnit::Hectopascal:
        return truncateToInt(value * kMillibarToInch * kThousandFactor + kHalf);
    case BarometerUnit::Inch:
        break;
    }
    return truncateToInt(value * kThousandFactor);
}

int fromWindSpeed(double value, WindUnit unit)
{
    double mph = value;
    switch (unit) {
    case WindUnit::Knot:
        mph = value * kKnotToMph;
        break;
    case WindUnit::KmPerHour:
        mph = value * kKmPerHourToMph;
        break;
    case WindUnit::MetresPerSecond:
        mph = value * kMetresPerSecondToMph;
        break;
    case WindUnit::Mph:
        break;
    }
    return truncateToInt(mph + kHalf);
}

float celsiusToFahrenheit(double celsius)
{
    return static_cast<float>(kFreezingF + kFahrenheitPerCelsius * celsius);
}

float fahrenheitToCelsius(double fahrenheit)
{
    return static_cast<float>((fahrenheit - kFreezingF) * kCelsiusPerFahrenheit);
}

} // namespace bv::units
