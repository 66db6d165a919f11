#include "images/gauge_scales.h"

#include <cmath>

#include "station/weather_values.h"

namespace bv::images {
namespace {

constexpr double kHundred = 100.0;
constexpr double kNegativeStep = 20.0;

double nextMultipleUp(double value, double step)
{
    return std::ceil(value / step) * step;
}

// 0 when reference is above 0, else the first of 0, -20, -40 ... not above it.
double minimumBelow(double reference)
{
    return reference > 0 ? 0.0 : std::floor(reference / kNegativeStep) * kNegativeStep;
}

// From minimum, a span of 100 - minimum grown by hundreds until it reaches top.
Scale hundredsFrom(double minimum, double top)
{
    double span = kHundred - minimum;
    while (span < top - minimum)
        span += kHundred;
    return {static_cast<float>(minimum), static_cast<float>(minimum + span)};
}

Scale plainTemperatureScale(double value)
{
    if (value > kHundred)
        return {0.0f, static_cast<float>(nextMultipleUp(value, kHundred))};
    const double minimum = minimumBelow(value);
    return {static_cast<float>(minimum), static_cast<float>(minimum + kHundred)};
}

} // namespace

bool isReading(double value)
{
    return station::WeatherValue::fromReading(value).present();
}

int dialMaximum(double speed)
{
    constexpr double kLowRange = 20.0;
    if (speed <= kLowRange)
        return static_cast<int>(kLowRange);
    return static_cast<int>(speed <= kHundred ? kHundred : nextMultipleUp(speed, kHundred));
}

Scale temperatureScale(double value, double high, double low)
{
    if (!isReading(high) && !isReading(low))
        return plainTemperatureScale(value);
    const double minimum = minimumBelow(isReading(low) ? low : value);
    return hundredsFrom(minimum, isReading(high) ? high : value);
}

Scale windChillScale(double value, double low)
{
    if (!isReading(low))
        return plainTemperatureScale(value);
    return hundredsFrom(minimumBelow(low), value);
}

Scale rainScale(double value)
{
    for (const double top : {1.0, 10.0, kHundred})
        if (value <= top)
            return {0.0f, static_cast<float>(top)};
    return {0.0f, static_cast<float>(nextMultipleUp(value, kHundred))};
}

Scale barometerScale(double value, units::BarometerUnit unit)
{
    double d = 30.0; // mb and hPa
    if (unit == units::BarometerUnit::Inch)
        d = 1.0;
    else if (unit == units::BarometerUnit::Millimetre)
        d = 25.0;
    return {static_cast<float>(std::trunc(value - d)), static_cast<float>(std::trunc(value + d))};
}

} // namespace bv::images
