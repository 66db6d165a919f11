#pragma once

#include <string_view>

#include "app/base/config_record.h"
#include "units/conversions.h"

namespace bv::paging {

// The family of a configured model code; the classic family for an unknown code.
units::StationFamily familyOfModel(int stationModel);

enum class LimitSide { Low = 0, High = 1 };

// The limit of quantity 0..10 in `alarmLimits`; kNotSet when there is none.
float alarmLimit(const app::ConfigRecord& config, int quantity, LimitSide side);
void setAlarmLimit(app::ConfigRecord& config, int quantity, LimitSide side, float limit);
// A limit is set unless it holds the "no limit" marker.
bool limitSet(float limit);

// A limit as typed in the Pager Alarms dialog: a number made of digits, "-"
// and "." that reads whole as a number ("-5", "29.92", ".5"); anything else,
// "-" and "." alone included, is no limit (kNotSet), never 0.
float parseLimitText(std::string_view text);

// Whether the station can produce the value the limit watches: the quantity
// table's own rule (no low on wind speed, rain, rain rate and THI, no high on
// wind chill), then the model's sensors:
// the Tirrel family has no low on its daily ET; the Carrow models no
// humidities, barometer, dew point or THI; the Lunett no outside sensors
// except rain, and no daily rain or rain rate high; a station without a rain
// collector no rain limits.
bool limitOffered(int stationModel, int rainCollector, int quantity, LimitSide side);

// Whether the configured model reports quantity 0..11 for the current-weather
// page (Current Weather Parameters).
bool weatherItemOffered(int stationModel, int rainCollector, int quantity);

} // namespace bv::paging
