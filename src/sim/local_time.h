#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace bv::sim {

// The simulator keeps local wall-clock time as milliseconds since 1970-01-01
// 00:00 of the same local clock: no time zone, no daylight saving, so a day is
// always 86 400 000 ms.
inline constexpr std::int64_t kMsPerSecond = 1000;
inline constexpr std::int64_t kMsPerMinute = 60 * kMsPerSecond;
inline constexpr std::int64_t kMsPerHour = 60 * kMsPerMinute;
inline constexpr std::int64_t kMsPerDay = 24 * kMsPerHour;
inline constexpr int kMinutesPerDay = 1440;

std::int64_t localMsFromWallTime(const platform::WallTime& t);
platform::WallTime wallTimeFromLocalMs(std::int64_t ms);
// Whole days since 1970-01-01 (floor division, so times before 1970 work too).
std::int64_t dayNumber(std::int64_t ms);
// 0 for 1 January.
int dayOfYear(std::int64_t ms);
int daysInMonth(int year, int month);
// True when the fields name a real date and time of day.
bool isValidWallTime(const platform::WallTime& t);

} // namespace bv::sim
