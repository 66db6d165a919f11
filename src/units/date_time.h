#pragma once

#include <string>
#include <string_view>

#include "platform/clock.h"
#include "units/regional_settings.h"

namespace bv::units {

// A local wall-clock date and time; no time zone. hour/minute and minutesOfDay are
// two views of one time: each operation says which it reads and which it updates.
struct DateTime {
    int minutesOfDay = 0; // hour * 60 + minute; what comparisons and timeText use
    int hour = 0;         // 0..23 (24 allowed for the end of the day)
    int minute = 0;       // 0..59
    int second = 0;       // 0..59
    int month = 0;        // 1..12
    int day = 0;          // 1..31
    int year = 0;         // full year, e.g. 2051
    bool valid = true;    // when false the formatters print placeholders

    // All zero and valid.
    DateTime() = default;
    // That date at minutesOfDay 0, valid.
    DateTime(int monthValue, int dayValue, int yearValue);

    void setDate(int monthValue, int dayValue, int yearValue);
    // Sets hour and minute, second 0, and minutesOfDay.
    void setTime(int hourValue, int minuteValue);
    // Takes date and time (with seconds) from the clock, sets valid, and returns
    // the new minutesOfDay.
    int now(const platform::Clock& clock);
    // hour and minute from minutesOfDay.
    void splitMinutes();
    // minutesOfDay from hour and minute; returns it.
    int joinMinutes();

    // " 3/05/01" (month first), " 5/03/01" (day first) or "01/03/05" (year first),
    // with the regional separator; "-----" when not valid.
    std::string shortDate(const RegionalSettings& regional) const;
    // As shortDate with a four-digit year: " 3/05/2001", "2001/03/05"; "-----" when
    // not valid.
    std::string longDate(const RegionalSettings& regional) const;
    // minutesOfDay as hours and minutes (hour and minute are not read):
    // 24-hour "13:05"; 12-hour " 1:05p", "12:30a" for 00:30, "12:00p" for noon,
    // "12:00m" for 1440. "----" when not valid or outside 0..1440.
    std::string timeText(const RegionalSettings& regional) const;
    // hour:minute:second, always with ':', ignoring valid: 24-hour "13:05:09";
    // 12-hour " 1:05:09p", " 0:30:15a" (hour 0 stays 0).
    std::string timeTextSeconds(const RegionalSettings& regional) const;

    // Return 0 on success, -1 on a rejected text; a rejected text changes nothing.
    // Sets month, day and year. Accepts "-", "/", "." and the regional separator; a
    // two-digit year of 80 or less is 20yy, else 19yy.
    [[nodiscard]] int parseDate(std::string_view text, const RegionalSettings& regional);
    // Sets hour, minute and minutesOfDay. "7:30 pm", "19.30", "7p" (minute kept).
    [[nodiscard]] int parseTime(std::string_view text, const RegionalSettings& regional);

    bool isLeapYear() const;
    int daysInMonth() const;
    // Step the date, carrying into month and year; the time is left alone.
    // nextMonth keeps the day, but not past the end of the new month.
    void nextMonth();
    void nextDay();
    void previousDay();
    void addDays(int n);
    void subtractDays(int n);
    // 0 = Sunday .. 6 = Saturday.
    int weekday() const;
    // Calendar days from other's date to this date: positive when this is later.
    int daysBetween(const DateTime& other) const;

    // By year, month, day, then minutesOfDay.
    bool isBefore(const DateTime& other) const;
    bool isAfter(const DateTime& other) const;
    bool isAtOrBefore(const DateTime& other) const;
};

} // namespace bv::units
