#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/base/config_record.h"
#include "app/base/scheduler.h"
#include "app/base/scheduler_state.h"
#include "paging/alarm_codes.h"
#include "paging/page_line.h"
#include "paging/pager_entry.h"
#include "units/conversions.h"

namespace bv::paging {

// Latches beyond the eleven quantity alarms.
inline constexpr int kFirstAndAlarmLatch = 11;
inline constexpr int kStationErrorLatch = 13;
inline constexpr int kAndAlarmCount = 2;
inline constexpr int kConditionsPerAndAlarm = 2;

// The station's values as an evaluation reads them, in the units of the
// current-conditions record; -100 for a missing value, -101 when the station
// did not answer.
class QuantityReadings {
  public:
    virtual ~QuantityReadings() = default;
    // Quantity 0..10 as the alarms test it: wind speed is the day's high.
    virtual double alarmReading(int quantity) = 0;
    // Quantity 0..11 as the current-weather page shows it: the wind speed of
    // the moment, the wind direction in degrees.
    virtual double weatherReading(int quantity) = 0;
    // The station memory's wind direction as a compass index 0..15 (degrees /
    // 22.5, truncated); -1 when missing or unanswered.
    virtual int windCompassIndex() = 0;
};

// What one evaluation decided: the pairs of the send queue in order, the
// latches to set, and whether the station's high wind speed of the day must
// be reset because a wind speed alarm was paged.
struct Evaluation {
    struct Pair {
        std::string entryLine;
        std::string pageLine;
    };
    std::vector<Pair> pages;
    std::array<bool, app::kAlarmLatchCount> latch{};
    bool resetHighWindSpeed = false;
};

struct EvaluationInput {
    const app::ConfigRecord& config;
    const app::SchedulerState& state; // the latches
    app::PagingSelector selector;
    units::StationFamily family;
    const std::vector<PagerLine>& entries;
    const AlarmCodes& codes;
};

// The alarm tests and the pages for every entry, in entry order (a
// current-weather pair before an alarm pair). stationRead false gives the
// station-error pages instead, when that latch is armed. All entries see the
// same alarms; the latches are not touched (applyLatches does that).
Evaluation evaluatePages(const EvaluationInput& input, bool stationRead,
                         QuantityReadings& readings);

// Sets the latches of the evaluation to 0: sent, re-enable time starts.
void applyLatches(const Evaluation& evaluation, app::SchedulerState& state);

} // namespace bv::paging
