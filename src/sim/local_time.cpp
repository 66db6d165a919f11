#include "sim/local_time.h"

#include <chrono>

namespace bv::sim {

namespace {

std::chrono::year_month_day dateOf(const platform::WallTime& t)
{
    return std::chrono::year{t.year} / std::chrono::month{static_cast<unsigned>(t.month)} /
           std::chrono::day{static_cast<unsigned>(t.day)};
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

std::int64_t localMsFromWallTime(const platform::WallTime& t)
{
    const auto days = std::chrono::sys_days{dateOf(t)}.time_since_epoch().count();
    return days * kMsPerDay + t.hour * kMsPerHour + t.minute * kMsPerMinute +
           t.second * kMsPerSecond + t.millisecond;
}

platform::WallTime wallTimeFromLocalMs(std::int64_t ms)
{
    const std::int64_t days = dayNumber(ms);
    std::int64_t rest = ms - days * kMsPerDay;
    const std::chrono::sys_days date{std::chrono::days{days}};
    const std::chrono::year_month_day ymd{date};
    platform::WallTime t;
    t.year = static_cast<int>(ymd.year());
    t.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    t.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    t.hour = static_cast<int>(rest / kMsPerHour);
    rest %= kMsPerHour;
    t.minute = static_cast<int>(rest / kMsPerMinute);
    rest %= kMsPerMinute;
    t.second = static_cast<int>(rest / kMsPerSecond);
    t.millisecond = static_cast<int>(rest % kMsPerSecond);
    t.weekday = static_cast<int>(std::chrono::weekday{date}.c_encoding());
    return t;
}

std::int64_t dayNumber(std::int64_t ms)
{
    return floorDiv(ms, kMsPerDay);
}

int dayOfYear(std::int64_t ms)
{
    const platform::WallTime t = wallTimeFromLocalMs(ms);
    const platform::WallTime newYear{t.year, 1, 1};
    return static_cast<int>(dayNumber(ms) - dayNumber(localMsFromWallTime(newYear)));
}

int daysInMonth(int year, int month)
{
    const auto last = std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                      std::chrono::last;
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

bool isValidWallTime(const platform::WallTime& t)
{
    return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= daysInMonth(t.year, t.month) &&
           t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 &&
           t.second <= 59;
}

} // namespace bv::sim
