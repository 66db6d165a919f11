#pragma once

#include "images/gauge_image.h"
#include "units/units_selection.h"

namespace bv::images {

// A reading the gauges can show: neither the missing marker (-100) nor the
// station's no-answer result (-101).
bool isReading(double value);

// The wind dial's maximum: 20 up to 20, 100 up to 100, else the smallest
// multiple of 100 not below the speed.
int dialMaximum(double speed);

// Temperatures, dew point, thermal index and humidity. high and low are
// -100 or -101 when not known. Without either: 0 to 100 for 0..100, 0 to the
// next hundred above 100, and below 0 the next multiple of 20 down to 100
// above it. With either, the scale starts at 0 or the multiple of 20 below the
// low (else the value) and spans hundreds to reach the high (else the value).
Scale temperatureScale(double value, double high, double low);

// As the temperature scale, but only a known low counts; the span reaches the
// value.
Scale windChillScale(double value, double low);

// Rain and ET: 0 to 1, 10, 100, or the next multiple of 100.
Scale rainScale(double value);

// Integer parts of value - d and value + d, d being 1 in, 25 mm, 30 mb or hPa.
Scale barometerScale(double value, units::BarometerUnit unit);

} // namespace bv::images
