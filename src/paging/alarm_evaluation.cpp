#include "paging/alarm_evaluation.h"

#include <optional>

#include "paging/alarm_limits.h"
#include "paging/alarm_quantity.h"
#include "station/result_codes.h"

namespace bv::paging {
namespace {

// `andAlarmParam`: 0 none, else the quantity index + 1.
constexpr int kNoQuantity = -1;
constexpr int kLastAndParam = kQuantityCount;
// The station's byte for "no outside humidity sensor".
constexpr double kNoHumiditySensor = 128;

bool armed(const app::SchedulerState& state, int latch)
{
    return state.alarmRearm[static_cast<std::size_t>(latch)] == app::kAlarmArmed;
}

bool wantsWeather(app::PagingSelector s)
{
    return s != app::PagingSelector::AlarmCheck;
}
bool wantsAlarms(app::PagingSelector s)
{
    return s != app::PagingSelector::WeatherPage;
}

bool missing(int quantity, double reading)
{
    return isMissingReading(reading) || (quantity == OutsideHum && reading == kNoHumiditySensor);
}

// Low test first: at or below the low limit, or at or above the high one.
bool limitMet(const app::ConfigRecord& config, int quantity, double reading)
{
    if (missing(quantity, reading))
        return false;
    const float low = alarmLimit(config, quantity, LimitSide::Low);
    const float high = alarmLimit(config, quantity, LimitSide::High);
    return (limitSet(low) && reading <= low) || (limitSet(high) && reading >= high);
}

struct AndCondition {
    int quantity = kNoQuantity;
    bool high = true;
    float limit = app::kNotSet;
};

AndCondition andCondition(const app::ConfigRecord& config, int alarm, int condition)
{
    const auto i = static_cast<std::size_t>(alarm * kConditionsPerAndAlarm + condition);
    const int param = config.andAlarmParam[i];
    AndCondition c;
    c.quantity = param >= 1 && param <= kLastAndParam ? param - 1 : kNoQuantity;
    c.high = config.andAlarmHigh[i] != 0;
    c.limit = config.andAlarmValue[i];
    return c;
}

// An AND condition's reading: the compass index for wind direction.
double andReading(const AndCondition& c, QuantityReadings& readings)
{
    if (c.quantity == kNoQuantity)
        return station::kMissingValue;
    if (c.quantity == WindDirection) {
        const int index = readings.windCompassIndex();
        return index < 0 ? station::kMissingValue : index;
    }
    return readings.alarmReading(c.quantity);
}

// A wind direction condition holds on its compass point, whatever its side.
bool conditionHolds(const AndCondition& c, double reading)
{
    if (missing(c.quantity, reading))
        return false;
    if (c.quantity == WindDirection)
        return static_cast<int>(reading) == static_cast<int>(c.limit);
    return c.high ? reading >= c.limit : reading <= c.limit;
}

struct AlarmTests {
    AlarmHits hits;
    std::array<bool, app::kAlarmLatchCount> latch{};
    bool windSpeedMet = false;
};

std::optional<AndAlarmHit> testAndAlarm(const app::ConfigRecord& config, int alarm,
                                        QuantityReadings& readings, bool& onWindSpeed)
{
    AndAlarmHit hit;
    hit.alarm = alarm;
    int tested = 0;
    for (int n = 0; n < kConditionsPerAndAlarm; ++n) {
        const AndCondition c = andCondition(config, alarm, n);
        hit.readings[static_cast<std::size_t>(n)] = andReading(c, readings);
        if (c.quantity == kNoQuantity || !limitSet(c.limit))
            continue;
        if (!conditionHolds(c, hit.readings[static_cast<std::size_t>(n)]))
            return std::nullopt;
        ++tested;
        onWindSpeed = onWindSpeed || c.quantity == WindSpeed;
    }
    if (tested == 0)
        return std::nullopt;
    return hit;
}

AlarmTests testAlarms(const EvaluationInput& input, QuantityReadings& readings)
{
    AlarmTests tests;
    const app::ConfigRecord& config = input.config;
    for (int q = 0; q < kLimitQuantityCount; ++q) {
        if (!armed(input.state, q) || (!limitSet(alarmLimit(config, q, LimitSide::Low)) &&
                                       !limitSet(alarmLimit(config, q, LimitSide::High))))
            continue;
        const double reading = readings.alarmReading(q);
        if (!limitMet(config, q, reading))
            continue;
        tests.hits.quantities.push_back({q, pageValue(q, reading, input.family)});
        tests.latch[static_cast<std::size_t>(q)] = true;
        tests.windSpeedMet = tests.windSpeedMet || q == WindSpeed;
    }
    for (int alarm = 0; alarm < kAndAlarmCount; ++alarm) {
        const int latch = kFirstAndAlarmLatch + alarm;
        if (!armed(input.state, latch))
            continue;
        bool onWindSpeed = false;
        if (std::optional<AndAlarmHit> hit = testAndAlarm(config, alarm, readings, onWindSpeed)) {
            tests.hits.andAlarms.push_back(*hit);
            tests.latch[static_cast<std::size_t>(latch)] = true;
            tests.windSpeedMet = tests.windSpeedMet || onWindSpeed;
        }
    }
    return tests;
}

std::vector<int> weatherValues(const EvaluationInput& input, QuantityReadings& readings)
{
    std::vector<int> values;
    for (int q = 0; q < kQuantityCount; ++q)
        if (input.config.weatherPageItems[static_cast<std::size_t>(q)])
            values.push_back(pageValue(q, readings.weatherReading(q), input.family));
    return values;
}

void queueStationErrors(const EvaluationInput& input, Evaluation& evaluation)
{
    if (!armed(input.state, kStationErrorLatch))
        return;
    for (const PagerLine& line : input.entries)
        evaluation.pages.push_back({line.text, stationErrorPageLine(line.entry)});
    evaluation.latch[kStationErrorLatch] = !input.entries.empty();
}

} // namespace

Evaluation evaluatePages(const EvaluationInput& input, bool stationRead, QuantityReadings& readings)
{
    Evaluation evaluation;
    if (input.entries.empty())
        return evaluation;
    if (!stationRead) {
        queueStationErrors(input, evaluation);
        return evaluation;
    }
    const bool weather = input.config.pageWeather && wantsWeather(input.selector);
    const bool alarms = input.config.pageOnAlarm && wantsAlarms(input.selector);
    const std::vector<int> values = weather ? weatherValues(input, readings) : std::vector<int>{};
    const AlarmTests tests = alarms ? testAlarms(input, readings) : AlarmTests{};

    for (const PagerLine& line : input.entries) {
        if (weather)
            if (std::optional<std::string> page = weatherPageLine(line.entry, values))
                evaluation.pages.push_back({line.text, std::move(*page)});
        if (!tests.hits.empty())
            evaluation.pages.push_back(
                {line.text, alarmPageLine(line.entry, tests.hits, input.codes)});
    }
    evaluation.latch = tests.latch;
    evaluation.resetHighWindSpeed = tests.windSpeedMet;
    return evaluation;
}

void applyLatches(const Evaluation& evaluation, app::SchedulerState& state)
{
    for (std::size_t i = 0; i < evaluation.latch.size(); ++i)
        if (evaluation.latch[i])
            state.alarmRearm[i] = 0;
}

} // namespace bv::paging
