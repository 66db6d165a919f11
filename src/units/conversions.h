#pragma once

#include "units/units_selection.h"

namespace bv::units {

// The value every reader stores for a missing sensor reading.
inline constexpr float kMissingValue = -100.0f;

// The two station families differ in which raw temperatures mean "no sensor".
enum class StationFamily { Classic, Tirrel };

// True when a raw temperature (tenths of °F) is a missing-value marker:
// 32767 and -32768 for every model, and also 2047 and 2048 for the Tirrel models.
bool isMissingRawTemperature(int raw, StationFamily family);

// Raw station units to display units.
// raw: tenths of °F. Markers give kMissingValue.
float toTemperature(int raw, TemperatureUnit unit, StationFamily family);
// raw: a temperature difference in tenths of °F (no 32-degree offset). For the Tirrel
// models 32767 and -32768 give kMissingValue.
float toTemperatureDifference(int raw, TemperatureUnit unit, StationFamily family);
// raw: thousandths of an inch of mercury.
float toBarometer(int raw, BarometerUnit unit);
// mph: miles per hour.
float toWindSpeed(double mph, WindUnit unit);

// Display units back to raw station units, for values written to the station.
// Results are truncated toward zero (with +0.5 rounding for barometer
// mm/mb/hPa and wind); a result within float noise of a whole raw unit counts as
// that unit, so a value read and written back is unchanged. A result beyond the int
// range saturates, NaN gives 0.
int fromTemperature(double value, TemperatureUnit unit);
int fromTemperatureDifference(double value, TemperatureUnit unit);
int fromBarometer(double value, BarometerUnit unit);
int fromWindSpeed(double value, WindUnit unit);

float celsiusToFahrenheit(double celsius);
float fahrenheitToCelsius(double fahrenheit);

} // namespace bv::units
