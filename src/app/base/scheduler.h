#pragma once

#include <array>
#include <cstdint>

#include "app/base/automatic_tasks_gate.h"
#include "app/base/config_record.h"
#include "app/base/scheduler_state.h"
#include "platform/clock.h"

namespace bv::app {

// Selector of the alarm and current-weather paging run.
enum class PagingSelector : int { WeatherPage = 1, AlarmCheck = 2, Both = 3 };

// The unattended activities the timer starts. Each returns once the activity
// is under way or done; an activity that keeps working after it returns (the
// transfer cycle, the pager status window) holds the gate closed meanwhile.
class AutomaticActivities {
  public:
    virtual ~AutomaticActivities() = default;
    virtual void startTransferCycle() = 0;
    virtual void downloadArchive() = 0;
    virtual void runPaging(PagingSelector what) = 0;
    // One step of the external logger's schedule; runs on every tick.
    virtual void loggerTick() = 0;
};

// The day-range test: true when the clock's weekday (0 = Sunday) is ticked in
// days and either the time is the window's start minute (whatever the
// counter), or the counter has reached the interval inside the window
// fromMin < now <= toMin (any time of day when fromMin == toMin). Interval and
// counter share their unit: seconds for transfers, minutes for paging. A window
// that ends before it starts fires only at its start minute.
bool rangeDue(const platform::Clock& clock, const std::array<Flag, 7>& days, std::int32_t fromMin,
              std::int32_t toMin, std::int32_t interval, std::int32_t counter);

// The main window's timer 1: called once a second, it counts and starts the
// automatic activities in a fixed order (timed transfer, timed download,
// paging, logger schedule). It reads the configuration afresh on every tick,
// so changes made in a dialog apply at once. It never talks to the station.
class Scheduler {
  public:
    Scheduler(const ConfigRecord& config, AutoTaskGate& gate, SchedulerState& state,
              const platform::Clock& clock, AutomaticActivities& activities)
        : config_(config), gate_(gate), state_(state), clock_(clock), activities_(activities)
    {
    }

    static constexpr int kTickPeriodMs = 1000;

    void onTimerTick();

  private:
    void tickTransfer();
    void tickDownload();
    void tickAlarmLatches();
    void tickPaging();
    // Whether a page whose counter is at ticks seconds is due: every
    // intervalMin minutes, or as the range allows when it is enabled.
    bool pageDue(const DayRange& range, std::int32_t intervalMin, std::int32_t ticks) const;

    const ConfigRecord& config_;
    AutoTaskGate& gate_;
    SchedulerState& state_;
    const platform::Clock& clock_;
    AutomaticActivities& activities_;
};

} // namespace bv::app
