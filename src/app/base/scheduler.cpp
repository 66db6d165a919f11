#include "app/base/scheduler.h"

#include <cstdint>

namespace bv::app {

namespace {

constexpr std::int64_t kSecondsPerMinute = 60;

// A range is in force for any non-zero byte, not only for 1 as other flags.
bool rangeEnabled(const DayRange& range)
{
    return range.enabled.raw() != 0;
}

} // namespace

bool rangeDue(const platform::Clock& clock, const std::array<Flag, 7>& days, std::int32_t fromMin,
              std::int32_t toMin, std::int32_t interval, std::int32_t counter)
{
    const platform::WallTime now = clock.localTime();
    if (now.weekday < 0 || now.weekday >= static_cast<int>(days.size()) ||
        !days[static_cast<std::size_t>(now.weekday)])
        return false;
    const std::int32_t minuteOfDay = now.hour * 60 + now.minute;
    if (minuteOfDay == fromMin)
        return true;
    const bool inWindow = fromMin == toMin || (fromMin < minuteOfDay && minuteOfDay <= toMin);
    return inWindow && counter >= interval;
}

void Scheduler::onTimerTick()
{
    tickTransfer();
    tickDownload();
    state_.weatherPageTicks = addTicks(state_.weatherPageTicks, 1);
    state_.alarmPageTicks = addTicks(state_.alarmPageTicks, 1);
    tickAlarmLatches();
    tickPaging();
    // The logger's own schedule opens and closes the gate, so it runs whatever
    // the gate says, and also while switched off, to stop a program that is
    // still running when the schedule was disabled.
    activities_.loggerTick();
    // A counter that wrapped past the 32-bit limit starts again.
    for (std::int32_t* counter : {&state_.transferTicks, &state_.downloadTicks,
                                  &state_.weatherPageTicks, &state_.alarmPageTicks})
        if (*counter < 0)
            *counter = 0;
}

void Scheduler::tickTransfer()
{
    state_.transferTicks = addTicks(state_.transferTicks, 1);
    const bool enabled = config_.internetTransferEnabled || config_.localTransferEnabled;
    if (!enabled || !gate_.allowed() || config_.transferHold != 0)
        return;
    const DayRange& range = config_.transferRange;
    const bool due = rangeEnabled(range)
                         ? rangeDue(clock_, range.days, range.fromMin, range.toMin,
                                    config_.transferIntervalSec, state_.transferTicks)
                         : state_.transferTicks > config_.transferIntervalSec;
    if (!due)
        return;
    state_.transferTicks = 0;
    if (config_.downloadEnabled && config_.downloadBeforeUpload)
        activities_.downloadArchive();
    activities_.startTransferCycle();
}

void Scheduler::tickDownload()
{
    state_.downloadTicks = addTicks(state_.downloadTicks, 1);
    if (!config_.downloadEnabled || config_.downloadBeforeUpload || !gate_.allowed())
        return;
    if (state_.downloadTicks > config_.downloadIntervalMin * kSecondsPerMinute) {
        activities_.downloadArchive();
        state_.downloadTicks = 0;
    }
}

void Scheduler::tickAlarmLatches()
{
    const std::int64_t rearmAfter = config_.alarmRearmMin * kSecondsPerMinute;
    for (std::int32_t& latch : state_.alarmRearm) {
        if (latch == kAlarmArmed)
            continue;
        latch = addTicks(latch, 1);
        if (latch > rearmAfter)
            latch = kAlarmArmed;
    }
}

bool Scheduler::pageDue(const DayRange& range, std::int32_t intervalMin, std::int32_t ticks) const
{
    const std::int32_t minutes = ticks / static_cast<std::int32_t>(kSecondsPerMinute);
    return rangeEnabled(range)
               ? rangeDue(clock_, range.days, range.fromMin, range.toMin, intervalMin, minutes)
               : minutes >= intervalMin;
}

void Scheduler::tickPaging()
{
    if (!(config_.pageOnAlarm || config_.pageWeather) || !gate_.allowed())
        return;
    int what = 0;
    if (config_.pageWeather && pageDue(config_.weatherPageRange, config_.weatherPageIntervalMin,
                                       state_.weatherPageTicks)) {
        what = static_cast<int>(PagingSelector::WeatherPage);
        state_.weatherPageTicks = 0;
    }
    if (config_.pageOnAlarm &&
        pageDue(config_.alarmPageRange, config_.alarmPageIntervalMin, state_.alarmPageTicks)) {
        what += static_cast<int>(PagingSelector::AlarmCheck);
        state_.alarmPageTicks = 0;
    }
    if (what > 0)
        activities_.runPaging(static_cast<PagingSelector>(what));
}

} // namespace bv::app
