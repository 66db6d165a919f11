#include "station/weather_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "app/base/strings_weather.h"
#include "station/result_codes.h"

namespace bv::station {

namespace {

constexpr double kSectorDegrees = 22.5;
constexpr int kCompassPoints = 16;
constexpr std::string_view kPercent = "%";
constexpr std::string_view kDegrees = "°";
constexpr std::string_view kPerHour = "/hr";

// The shortest decimal text that reads back as the value, without exponent:
// as a float when the value is exactly one.
std::string shortestText(double value)
{
    char buffer[512];
    const auto asFloat = static_cast<float>(value);
    const std::to_chars_result written =
        static_cast<double>(asFloat) == value
            ? std::to_chars(buffer, buffer + sizeof buffer, asFloat, std::chars_format::fixed)
            : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, written.ptr);
}

// Rounds the digits of a non-negative decimal text to `decimals` places, half
// away from zero, and pads it to exactly that many.
std::string roundDigits(const std::string& text, int decimals)
{
    const std::size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    const auto keep = static_cast<std::size_t>(decimals);
    const bool up = fraction.size() > keep && fraction[keep] >= '5';
    fraction.resize(keep, '0');
    std::string digits = whole + fraction;
    if (up) {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    const std::size_t wholeDigits = digits.size() - keep;
    return keep == 0 ? digits : digits.substr(0, wholeDigits) + '.' + digits.substr(wholeDigits);
}

} // namespace

WeatherValue WeatherValue::fromReading(double reading)
{
    if (reading == kMissingValue || !std::isfinite(reading))
        return missing();
    if (reading == kNoAnswer)
        return noAnswer();
    return number(reading);
}

std::optional<double> WeatherValue::value() const
{
    if (!present())
        return std::nullopt;
    return value_;
}

std::string unitLabel(Quantity quantity, const units::UnitsSelection& units)
{
    switch (quantity) {
    case Quantity::Temperature:
        return std::string(units::unitLabel(units.temperature));
    case Quantity::Humidity:
        return std::string(kPercent);
    case Quantity::Barometer:
        return std::string(units::unitLabel(units.barometer));
    case Quantity::WindSpeed:
        return std::string(units::unitLabel(units.wind));
    case Quantity::WindDirection:
        return std::string(kDegrees);
    case Quantity::Rain:
        return std::string(units::unitLabel(units.rain));
    case Quantity::RainRate:
        return std::string(units::unitLabel(units.rain)) + std::string(kPerHour);
    case Quantity::SolarRadiation:
    case Quantity::SolarEnergy:
    case Quantity::WindRun:
    case Quantity::DegreeDays:
    case Quantity::LeafWetness:
        break;
    }
    return {};
}

std::string_view missingText()
{
    return app::strings::kMissingValue.text;
}

std::string formatFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return std::string(missingText());
    const std::string magnitude =
        roundDigits(shortestText(std::fabs(value)), std::max(decimals, 0));
    const bool zero = magnitude.find_first_not_of("0.") == std::string::npos;
    return value < 0 && !zero ? '-' + magnitude : magnitude;
}

std::string valueText(const WeatherValue& value, int decimals)
{
    const std::optional<double> number = value.value();
    return number ? formatFixed(*number, decimals) : std::string(missingText());
}

std::string_view compassText(double degrees)
{
    if (!std::isfinite(degrees) || degrees < 0)
        return missingText();
    const double index = std::trunc(degrees / kSectorDegrees);
    if (index >= kCompassPoints)
        return missingText();
    return app::strings::kCompassPoints[static_cast<std::size_t>(index)].text;
}

std::string_view compassText(const WeatherValue& direction)
{
    const std::optional<double> degrees = direction.value();
    return degrees ? compassText(*degrees) : missingText();
}

std::optional<std::string_view> trendText(BarometerTrend trend)
{
    switch (trend) {
    case BarometerTrend::Steady:
        return app::strings::kTrendSteady.text;
    case BarometerTrend::Rising:
        return app::strings::kTrendRising.text;
    case BarometerTrend::Falling:
        return app::strings::kTrendFalling.text;
    case BarometerTrend::None:
    case BarometerTrend::NoAnswer:
        break;
    }
    return std::nullopt;
}

} // namespace bv::station
