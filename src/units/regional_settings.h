#pragma once

#include <cstdint>
#include <string_view>

namespace bv::units {

enum class DateOrder : std::uint8_t { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };

// The user's regional formats. The defaults are those used when the system has no
// source for them (the C/POSIX locale).
struct RegionalSettings {
    DateOrder dateOrder = DateOrder::MonthDayYear;
    char dateSeparator = '-';
    bool clock24 = false; // false: 12-hour clock with an a/p suffix
    char timeSeparator = ':';

    friend bool operator==(const RegionalSettings&, const RegionalSettings&) = default;
};

// Derives the settings from strftime-style formats such as nl_langinfo(D_FMT) and
// nl_langinfo(T_FMT): the order of the day, month and year fields, the first ASCII
// punctuation between the first two date fields, whether the hour is on a 24-hour
// clock, and the punctuation between hour and minute. What a format does not show
// keeps its default; an empty format keeps all its defaults.
RegionalSettings deriveRegionalSettings(std::string_view dateFormat, std::string_view timeFormat);

// Reads the settings of the user's LC_TIME locale (LC_ALL, LC_TIME, LANG). The C and
// POSIX locales, and a locale that is not installed, give the defaults. Called once
// at start-up; the result is passed to whatever formats or parses.
RegionalSettings readRegionalSettings();

} // namespace bv::units
