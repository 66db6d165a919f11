#include "app/base/scheduler_state.h"

namespace bv::app {

std::int32_t addTicks(std::int32_t counter, std::int32_t seconds)
{
    // Unsigned arithmetic wraps where signed overflow would be undefined.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(counter) +
                                     static_cast<std::uint32_t>(seconds));
}

void advanceTimers(SchedulerState& state, std::int32_t seconds)
{
    for (std::int32_t* counter : {&state.transferTicks, &state.downloadTicks,
                                  &state.weatherPageTicks, &state.alarmPageTicks})
        *counter = addTicks(*counter, seconds);
    for (std::int32_t& latch : state.alarmRearm)
        if (latch != kAlarmArmed)
            latch = addTicks(latch, seconds);
}

} // namespace bv::app
