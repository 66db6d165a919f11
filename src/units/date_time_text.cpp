#include "units/date_time.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

namespace bv::units {

namespace {

constexpr std::string_view kNoDate = "-----";
constexpr std::string_view kNoTime = "----";

constexpr int kMinutesPerHour = 60;
constexpr int kLastMinuteOfDay = 1440; // 24:00, shown as "12:00m" on the 12-hour clock
constexpr int kNoon = 12;
constexpr int kEndOfDayHour = 24;
constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;
constexpr int kLastMonth = 12;
constexpr int kLastYear = 9999; // dates are shown with four-digit years
constexpr int kCentury = 100;
constexpr int kYear1900 = 1900;
constexpr int kYear2000 = 2000;
constexpr int kLastTwoDigitYearOf2000s = 80; // "80" is 2080, "81" is 1981

// Only this many characters of a typed date or time are looked at.
constexpr std::size_t kParsedChars = 20;
// A number of more digits than this reads as this value; it fails every range test.
constexpr int kNumberCap = 999999999;
constexpr int kDecimalBase = 10;

constexpr char kBlank = ' ';
constexpr char kColon = ':';
constexpr std::string_view kDateSeparators = "-/.";
constexpr std::string_view kTimeSeparators = ":.";
constexpr char kMorningSuffix = 'a';
constexpr char kAfternoonSuffix = 'p';
constexpr char kMidnightSuffix = 'm';

using Buffer = std::array<char, 16>;

std::string spacePadded2(int value)
{
    Buffer b{};
    std::snprintf(b.data(), b.size(), "%2d", value);
    return b.data();
}

std::string zeroPadded2(int value)
{
    Buffer b{};
    std::snprintf(b.data(), b.size(), "%02d", value);
    return b.data();
}

std::string zeroPadded4(int value)
{
    Buffer b{};
    std::snprintf(b.data(), b.size(), "%04d", value);
    return b.data();
}

int twoDigitYear(int year)
{
    return (year % kCentury + kCentury) % kCentury;
}

std::string dateText(const DateTime& value, const RegionalSettings& regional,
                     const std::string& year)
{
    if (!value.valid) {
        return std::string(kNoDate);
    }
    const char sep = regional.dateSeparator;
    switch (regional.dateOrder) {
    case DateOrder::DayMonthYear:
        return spacePadded2(value.day) + sep + zeroPadded2(value.month) + sep + year;
    case DateOrder::YearMonthDay:
        return year + sep + zeroPadded2(value.month) + sep + zeroPadded2(value.day);
    case DateOrder::MonthDayYear:
        break;
    }
    return spacePadded2(value.month) + sep + zeroPadded2(value.day) + sep + year;
}

// The text up to its first NUL and at most kParsedChars long.
std::string_view parsedPart(std::string_view text)
{
    return text.substr(0, std::min(text.find('\0'), kParsedChars));
}

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool isOneOf(char c, std::string_view set)
{
    return set.find(c) != std::string_view::npos;
}

// The numbers of a text of digits and blanks, read as far as wanted.
std::vector<int> readNumbers(std::string_view digitsAndBlanks, std::size_t wanted)
{
    std::vector<int> numbers;
    std::size_t i = 0;
    while (numbers.size() < wanted) {
        while (i < digitsAndBlanks.size() && digitsAndBlanks[i] == kBlank) {
            ++i;
        }
        if (i == digitsAndBlanks.size()) {
            break;
        }
        int value = 0;
        for (; i < digitsAndBlanks.size() && isDigit(digitsAndBlanks[i]); ++i) {
            const int digit = digitsAndBlanks[i] - '0';
            value = value > (kNumberCap - digit) / kDecimalBase ? kNumberCap
                                                                : value * kDecimalBase + digit;
        }
        numbers.push_back(value);
    }
    return numbers;
}

int fullYear(int year)
{
    if (year >= kCentury) {
        return year;
    }
    return year <= kLastTwoDigitYearOf2000s ? kYear2000 + year : kYear1900 + year;
}

} // namespace

std::string DateTime::shortDate(const RegionalSettings& regional) const
{
    return dateText(*this, regional, zeroPadded2(twoDigitYear(year)));
}

std::string DateTime::longDate(const RegionalSettings& regional) const
{
    return dateText(*this, regional, zeroPadded4(year));
}

std::string DateTime::timeText(const RegionalSettings& regional) const
{
    if (!valid || minutesOfDay < 0 || minutesOfDay > kLastMinuteOfDay) {
        return std::string(kNoTime);
    }
    const int h = minutesOfDay / kMinutesPerHour;
    const std::string rest = regional.timeSeparator + zeroPadded2(minutesOfDay % kMinutesPerHour);
    if (regional.clock24) {
        return spacePadded2(h) + rest;
    }
    if (h == 0) {
        return spacePadded2(kNoon) + rest + kMorningSuffix;
    }
    if (h == kEndOfDayHour) {
        return spacePadded2(kNoon) + rest + kMidnightSuffix;
    }
    if (h < kNoon) {
        return spacePadded2(h) + rest + kMorningSuffix;
    }
    return spacePadded2(h == kNoon ? kNoon : h - kNoon) + rest + kAfternoonSuffix;
}

std::string DateTime::timeTextSeconds(const RegionalSettings& regional) const
{
    const std::string rest = kColon + zeroPadded2(minute) + kColon + zeroPadded2(second);
    if (regional.clock24) {
        return spacePadded2(hour) + rest;
    }
    if (hour < kNoon) {
        return spacePadded2(hour) + rest + kMorningSuffix;
    }
    return spacePadded2(hour == kNoon ? kNoon : hour - kNoon) + rest + kAfternoonSuffix;
}

int DateTime::parseDate(std::string_view text, const RegionalSettings& regional)
{
    std::string kept;
    for (const char c : parsedPart(text)) {
        if (c == kBlank) {
            continue;
        }
        if (c == regional.dateSeparator || isOneOf(c, kDateSeparators)) {
            kept += kBlank;
        } else if (isDigit(c)) {
            kept += c;
        } else {
            return -1;
        }
    }
    const std::vector<int> numbers = readNumbers(kept, 3);
    if (numbers.size() < 3) {
        return -1;
    }
    DateTime candidate;
    switch (regional.dateOrder) {
    case DateOrder::DayMonthYear:
        candidate.setDate(numbers[1], numbers[0], numbers[2]);
        break;
    case DateOrder::YearMonthDay:
        candidate.setDate(numbers[1], numbers[2], numbers[0]);
        break;
    case DateOrder::MonthDayYear:
        candidate.setDate(numbers[0], numbers[1], numbers[2]);
        break;
    }
    candidate.year = fullYear(candidate.year);
    if (candidate.month < 1 || candidate.month > kLastMonth || candidate.day < 1 ||
        candidate.day > candidate.daysInMonth() || candidate.year > kLastYear) {
        return -1;
    }
    setDate(candidate.month, candidate.day, candidate.year);
    return 0;
}

int DateTime::parseTime(std::string_view text, const RegionalSettings& regional)
{
    std::string kept;
    bool morning = false;
    bool afternoon = false;
    for (const char c : parsedPart(text)) {
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (c == kBlank || lower == kMidnightSuffix) {
            continue;
        }
        if (lower == kMorningSuffix) {
            morning = true;
        } else if (lower == kAfternoonSuffix) {
            afternoon = true;
        } else if (c == regional.timeSeparator || isOneOf(c, kTimeSeparators)) {
            kept += kBlank;
        } else if (isDigit(c)) {
            kept += c;
        } else {
            return -1;
        }
    }
    if (morning && afternoon) {
        return -1;
    }
    const std::vector<int> numbers = readNumbers(kept, 2);
    if (numbers.empty()) {
        return -1;
    }
    int h = numbers[0];
    const int m = numbers.size() > 1 ? numbers[1] : minute;
    if (morning && h == kNoon) {
        h = 0;
    } else if (afternoon && h != kNoon) {
        h += kNoon;
    }
    if (h < 0 || h > kLastHour || m < 0 || m > kLastMinute) {
        return -1;
    }
    hour = h;
    minute = m;
    joinMinutes();
    return 0;
}

} // namespace bv::units
