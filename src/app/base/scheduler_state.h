#pragma once

#include <array>
#include <cstdint>

namespace bv::app {

inline constexpr int kAlarmLatchCount = 14;
// An alarm latch holding this value is armed: its alarm may be paged.
inline constexpr std::int32_t kAlarmArmed = -100;

// What the one-second timer counts; lives for the whole process and is never
// saved. Made by main together with the configuration and handed to the
// scheduler, the alarm evaluation (which latches an alarm when it pages it)
// and the alphanumeric sender (which makes up for the time it blocked).
struct SchedulerState {
    // Seconds since the last timed transfer, timed archive download,
    // current-weather page and alarm check that paged.
    std::int32_t transferTicks = 0;
    std::int32_t downloadTicks = 0;
    std::int32_t weatherPageTicks = 0;
    std::int32_t alarmPageTicks = 0;
    // `alarmRearm`: one latch per alarm (the eleven quantities, two AND alarms
    // and one spare): kAlarmArmed, or the seconds since that alarm was paged.
    std::array<std::int32_t, kAlarmLatchCount> alarmRearm = {
        kAlarmArmed, kAlarmArmed, kAlarmArmed, kAlarmArmed, kAlarmArmed, kAlarmArmed, kAlarmArmed,
        kAlarmArmed, kAlarmArmed, kAlarmArmed, kAlarmArmed, kAlarmArmed, kAlarmArmed, kAlarmArmed};
};

// Adds seconds to the four tick counters and to every latch that is not armed,
// for time during which the timer could not tick (a blocking page).
void advanceTimers(SchedulerState& state, std::int32_t seconds);

// counter + seconds, wrapping past the 32-bit limit into the negative values
// that the end of the timer tick resets to 0.
std::int32_t addTicks(std::int32_t counter, std::int32_t seconds);

} // namespace bv::app
