#include "units/date_time.h"

#include <cstdint>
#include <limits>
#include <tuple>

namespace bv::units {

namespace {

constexpr int kMinutesPerHour = 60;
constexpr int kMonthsPerYear = 12;
constexpr int kDaysPerWeek = 7;
constexpr int kFebruary = 2;
constexpr int kApril = 4;
constexpr int kJune = 6;
constexpr int kSeptember = 9;
constexpr int kNovember = 11;
constexpr int kLongMonthDays = 31;
constexpr int kShortMonthDays = 30;
constexpr int kFebruaryDays = 28;
constexpr int kLeapFebruaryDays = 29;

// Serial day numbers on the proleptic Gregorian calendar, day 0 = 1 January 1970
// (a Thursday). The calendar repeats every 400 years (146097 days); the arithmetic
// counts years from 1 March so that the leap day ends a year.
constexpr std::int64_t kDaysPer400Years = 146097;
constexpr std::int64_t kYearsPerEra = 400;
constexpr std::int64_t kDaysFromEraStartTo1970 = 719468;
constexpr std::int64_t kMarchBasedMonthShift = 9;
constexpr std::int64_t kThursday = 4;

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

std::int64_t floorMod(std::int64_t a, std::int64_t b)
{
    return a - floorDiv(a, b) * b;
}

// Any month number is folded into the year first; the day counts on linearly, so
// 32 January is 1 February.
std::int64_t dayNumber(int year, int month, int day)
{
    const std::int64_t monthIndex = static_cast<std::int64_t>(month) - 1;
    const std::int64_t march = 3;
    std::int64_t y = year + floorDiv(monthIndex, kMonthsPerYear);
    const std::int64_t m = floorMod(monthIndex, kMonthsPerYear) + 1;
    if (m < march) {
        --y;
    }
    const std::int64_t era = floorDiv(y, kYearsPerEra);
    const std::int64_t yearOfEra = y - era * kYearsPerEra;
    const std::int64_t marchMonth = (m + kMarchBasedMonthShift) % kMonthsPerYear;
    const std::int64_t dayOfYear = (153 * marchMonth + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * kDaysPer400Years + dayOfEra - kDaysFromEraStartTo1970;
}

struct CalendarDate {
    int year;
    int month;
    int day;
};

CalendarDate dateOfDayNumber(std::int64_t number)
{
    const std::int64_t shifted = number + kDaysFromEraStartTo1970;
    const std::int64_t era = floorDiv(shifted, kDaysPer400Years);
    const std::int64_t dayOfEra = shifted - era * kDaysPer400Years;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t marchMonth = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * marchMonth + 2) / 5 + 1;
    const std::int64_t month =
        marchMonth < 10 ? marchMonth + 3 : marchMonth - kMarchBasedMonthShift;
    const std::int64_t year = yearOfEra + era * kYearsPerEra + (month <= kFebruary ? 1 : 0);
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

int clampToInt(std::int64_t value)
{
    if (value > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (value < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

void shiftDays(DateTime& value, std::int64_t days)
{
    const CalendarDate date = dateOfDayNumber(dayNumber(value.year, value.month, value.day) + days);
    value.setDate(date.month, date.day, date.year);
}

auto orderKey(const DateTime& value)
{
    return std::tie(value.year, value.month, value.day, value.minutesOfDay);
}

} // namespace

DateTime::DateTime(int monthValue, int dayValue, int yearValue)
    : month(monthValue), day(dayValue), year(yearValue)
{
}

void DateTime::setDate(int monthValue, int dayValue, int yearValue)
{
    month = monthValue;
    day = dayValue;
    year = yearValue;
}

void DateTime::setTime(int hourValue, int minuteValue)
{
    hour = hourValue;
    minute = minuteValue;
    second = 0;
    joinMinutes();
}

int DateTime::now(const platform::Clock& clock)
{
    const platform::WallTime t = clock.localTime();
    setDate(t.month, t.day, t.year);
    hour = t.hour;
    minute = t.minute;
    second = t.second;
    valid = true;
    return joinMinutes();
}

void DateTime::splitMinutes()
{
    hour = minutesOfDay / kMinutesPerHour;
    minute = minutesOfDay % kMinutesPerHour;
}

int DateTime::joinMinutes()
{
    minutesOfDay = hour * kMinutesPerHour + minute;
    return minutesOfDay;
}

bool DateTime::isLeapYear() const
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DateTime::daysInMonth() const
{
    switch (month) {
    case kApril:
    case kJune:
    case kSeptember:
    case kNovember:
        return kShortMonthDays;
    case kFebruary:
        return isLeapYear() ? kLeapFebruaryDays : kFebruaryDays;
    default:
        return kLongMonthDays;
    }
}

void DateTime::nextMonth()
{
    if (++month > kMonthsPerYear) {
        month = 1;
        ++year;
    }
    if (day > daysInMonth()) {
        day = daysInMonth();
    }
}

void DateTime::nextDay()
{
    addDays(1);
}

void DateTime::previousDay()
{
    addDays(-1);
}

void DateTime::addDays(int n)
{
    shiftDays(*this, n);
}

void DateTime::subtractDays(int n)
{
    shiftDays(*this, -static_cast<std::int64_t>(n));
}

int DateTime::weekday() const
{
    return static_cast<int>(floorMod(dayNumber(year, month, day) + kThursday, kDaysPerWeek));
}

int DateTime::daysBetween(const DateTime& other) const
{
    return clampToInt(dayNumber(year, month, day) - dayNumber(other.year, other.month, other.day));
}

bool DateTime::isBefore(const DateTime& other) const
{
    return orderKey(*this) < orderKey(other);
}

bool DateTime::isAfter(const DateTime& other) const
{
    return orderKey(other) < orderKey(*this);
}

bool DateTime::isAtOrBefore(const DateTime& other) const
{
    return !isAfter(other);
}

} // namespace bv::units
