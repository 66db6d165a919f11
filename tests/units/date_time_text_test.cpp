#include "units/date_time.h"

#include <gtest/gtest.h>

namespace bv::units {
namespace {

constexpr RegionalSettings kMdySlash{DateOrder::MonthDayYear, '/', false, ':'};
constexpr RegionalSettings kDmyDot{DateOrder::DayMonthYear, '.', true, ':'};
constexpr RegionalSettings kYmdSlash{DateOrder::YearMonthDay, '/', true, ':'};
constexpr RegionalSettings kYmdDash{DateOrder::YearMonthDay, '-', true, '.'};
constexpr RegionalSettings kTwelveHour{DateOrder::MonthDayYear, '-', false, ':'};
constexpr RegionalSettings kTwentyFour{DateOrder::MonthDayYear, '-', true, ':'};

TEST(DateText, ShortAndLongDatesFollowTheRegionalOrder)
{
    const struct {
        RegionalSettings regional;
        int month, day, year;
        const char* shortText;
        const char* longText;
    } cases[] = {
        {kMdySlash, 3, 5, 2001, " 3/05/01", " 3/05/2001"},
        {kYmdSlash, 3, 5, 2001, "01/03/05", "2001/03/05"},
        {kDmyDot, 3, 5, 2001, " 5.03.01", " 5.03.2001"},
        {kMdySlash, 12, 31, 1999, "12/31/99", "12/31/1999"},
        {kDmyDot, 11, 21, 2051, "21.11.51", "21.11.2051"},
        {kYmdDash, 1, 2, 2100, "00-01-02", "2100-01-02"},
        {kMdySlash, 6, 21, 1850, " 6/21/50", " 6/21/1850"},
    };
    for (const auto& c : cases) {
        const DateTime d(c.month, c.day, c.year);
        EXPECT_EQ(d.shortDate(c.regional), c.shortText);
        EXPECT_EQ(d.longDate(c.regional), c.longText);
    }
}

TEST(DateText, InvalidValuesPrintPlaceholders)
{
    DateTime d(3, 5, 2001);
    d.setTime(13, 5);
    d.valid = false;
    EXPECT_EQ(d.shortDate(kMdySlash), "-----");
    EXPECT_EQ(d.longDate(kYmdSlash), "-----");
    EXPECT_EQ(d.timeText(kTwelveHour), "----");
    EXPECT_EQ(d.timeText(kTwentyFour), "----");
    EXPECT_EQ(d.timeTextSeconds(kTwentyFour), "13:05:00"); // ignores valid
}

TEST(TimeText, ShowsMinutesOfDayOnTheRegionalClock)
{
    const struct {
        RegionalSettings regional;
        int minutesOfDay;
        const char* text;
    } cases[] = {
        {kTwelveHour, 30, "12:30a"},   {kTwelveHour, 720, "12:00p"}, {kTwelveHour, 785, " 1:05p"},
        {kTwelveHour, 1440, "12:00m"}, {kTwelveHour, 60, " 1:00a"},  {kTwelveHour, 719, "11:59a"},
        {kTwelveHour, 1439, "11:59p"}, {kTwentyFour, 785, "13:05"},  {kTwentyFour, 0, " 0:00"},
        {kTwentyFour, 1440, "24:00"},  {kYmdDash, 785, "13.05"},     {kTwelveHour, -1, "----"},
        {kTwentyFour, 1441, "----"},
    };
    for (const auto& c : cases) {
        DateTime t;
        t.minutesOfDay = c.minutesOfDay;
        t.hour = 99; // hour and minute are not what is shown
        EXPECT_EQ(t.timeText(c.regional), c.text) << c.minutesOfDay;
    }
}

TEST(TimeText, WithSecondsReadsHourMinuteSecond)
{
    const struct {
        RegionalSettings regional;
        int hour, minute, second;
        const char* text;
    } cases[] = {
        {kTwelveHour, 0, 30, 15, " 0:30:15a"}, {kTwelveHour, 12, 0, 0, "12:00:00p"},
        {kTwelveHour, 13, 5, 9, " 1:05:09p"},  {kTwelveHour, 11, 59, 59, "11:59:59a"},
        {kTwentyFour, 13, 5, 9, "13:05:09"},   {kYmdDash, 7, 5, 0, " 7:05:00"},
    };
    for (const auto& c : cases) {
        DateTime t;
        t.hour = c.hour;
        t.minute = c.minute;
        t.second = c.second;
        EXPECT_EQ(t.timeTextSeconds(c.regional), c.text);
    }
}

constexpr int kRejected = -1;

TEST(ParseTime, AcceptsTwelveAndTwentyFourHourTexts)
{
    const struct {
        const char* text;
        RegionalSettings regional;
        int minutesOfDay; // kRejected when the text is refused
    } cases[] = {
        {"7:30 pm", kTwelveHour, 1170},
        {"19.30", kTwelveHour, 1170},
        {"  7:30PM", kTwentyFour, 1170},
        {"12:15a", kTwelveHour, 15},
        {"12:15 p", kTwelveHour, 735},
        {"12:00m", kTwelveHour, 720},
        {"0:00", kTwentyFour, 0},
        {"23:59", kTwentyFour, 1439},
        {"10:30:15", kTwentyFour, 630},
        {"7 30 P", kTwelveHour, kRejected},
        {"7:30 ap", kTwelveHour, kRejected},
        {"24:00", kTwentyFour, kRejected},
        {"10:60", kTwentyFour, kRejected},
        {"13:00 pm", kTwelveHour, kRejected},
        {"", kTwentyFour, kRejected},
        {"   ", kTwentyFour, kRejected},
        {":", kTwentyFour, kRejected},
        {"am", kTwelveHour, kRejected},
        {"10-30", kTwentyFour, kRejected},
        {"12h30", kTwentyFour, kRejected},
        {"-1:30", kTwentyFour, kRejected},
        {"99999999999:00", kTwentyFour, kRejected},
        {"10:99999999999", kTwentyFour, kRejected},
        {"7:30                 x", kTwentyFour, 450}, // only 20 characters are read
    };
    for (const auto& c : cases) {
        DateTime t;
        t.setTime(9, 10);
        const int result = t.parseTime(c.text, c.regional);
        if (c.minutesOfDay == kRejected) {
            EXPECT_EQ(result, -1) << '"' << c.text << '"';
            EXPECT_EQ(t.minutesOfDay, 550) << '"' << c.text << '"';
            EXPECT_EQ(t.hour, 9) << '"' << c.text << '"';
        } else {
            EXPECT_EQ(result, 0) << '"' << c.text << '"';
            EXPECT_EQ(t.minutesOfDay, c.minutesOfDay) << '"' << c.text << '"';
            EXPECT_EQ(t.hour * 60 + t.minute, c.minutesOfDay) << '"' << c.text << '"';
        }
    }
}

TEST(ParseTime, AnHourAloneKeepsTheMinuteAndSecond)
{
    DateTime t;
    t.hour = 1;
    t.minute = 45;
    t.second = 30;
    ASSERT_EQ(t.parseTime("7p", kTwelveHour), 0);
    EXPECT_EQ(t.minutesOfDay, 19 * 60 + 45);
    EXPECT_EQ(t.second, 30);
}

TEST(ParseTime, HonoursTheRegionalSeparator)
{
    const RegionalSettings commaTime{DateOrder::MonthDayYear, '-', true, ','};
    DateTime t;
    ASSERT_EQ(t.parseTime("13,05", commaTime), 0);
    EXPECT_EQ(t.minutesOfDay, 785);
    EXPECT_EQ(t.parseTime("13,05", kTwentyFour), -1);
}

TEST(ParseDate, AcceptsRealDatesInTheRegionalOrder)
{
    const struct {
        const char* text;
        RegionalSettings regional;
        int month, day, year; // month 0 when the text is refused
    } cases[] = {
        {"2/29/2000", kMdySlash, 2, 29, 2000},
        {"2/29/1900", kMdySlash, 0, 0, 0},
        {"3/5/80", kMdySlash, 3, 5, 2080},
        {"3/5/81", kMdySlash, 3, 5, 1981},
        {"3/5/00", kMdySlash, 3, 5, 2000},
        {"3-5-2001", kMdySlash, 3, 5, 2001},
        {"3.5.2001", kMdySlash, 3, 5, 2001},
        {" 3 / 05 / 01", kMdySlash, 3, 5, 2001},
        {"5.3.2001", kDmyDot, 3, 5, 2001},
        {"2001-03-05", kYmdSlash, 3, 5, 2001},
        {"5,3,2001", {DateOrder::DayMonthYear, ',', false, ':'}, 3, 5, 2001},
        {"5,3,2001", kDmyDot, 0, 0, 0},
        {"1/2/2003/4", kMdySlash, 1, 2, 2003},
        {"12/31/9999", kMdySlash, 12, 31, 9999},
        {"13/1/2001", kMdySlash, 0, 0, 0},
        {"0/1/2001", kMdySlash, 0, 0, 0},
        {"4/31/2001", kMdySlash, 0, 0, 0},
        {"4/0/2001", kMdySlash, 0, 0, 0},
        {"1/2", kMdySlash, 0, 0, 0},
        {"", kMdySlash, 0, 0, 0},
        {"a/b/c", kMdySlash, 0, 0, 0},
        {"1/2/2003x", kMdySlash, 0, 0, 0},
        {"1/2/10000", kMdySlash, 0, 0, 0},
        {"99999999999/1/2001", kMdySlash, 0, 0, 0},
        {"1/1/99999999999", kMdySlash, 0, 0, 0},
    };
    for (const auto& c : cases) {
        DateTime d(7, 8, 1999);
        const int result = d.parseDate(c.text, c.regional);
        if (c.month == 0) {
            EXPECT_EQ(result, -1) << '"' << c.text << '"';
            EXPECT_EQ(d.year * 10000 + d.month * 100 + d.day, 19990708) << '"' << c.text << '"';
        } else {
            EXPECT_EQ(result, 0) << '"' << c.text << '"';
            EXPECT_EQ(d.year * 10000 + d.month * 100 + d.day,
                      c.year * 10000 + c.month * 100 + c.day)
                << '"' << c.text << '"';
        }
    }
}

TEST(ParseDate, ReadsBackWhatTheFormattersWrite)
{
    for (const RegionalSettings& regional : {kMdySlash, kDmyDot, kYmdSlash, kYmdDash}) {
        DateTime d(1, 1, 1981);
        for (int step = 0; step < 40 * 366; step += 13) {
            DateTime back;
            ASSERT_EQ(back.parseDate(d.longDate(regional), regional), 0) << d.longDate(regional);
            ASSERT_EQ(back.daysBetween(d), 0) << d.longDate(regional);
            ASSERT_EQ(back.parseDate(d.shortDate(regional), regional), 0) << d.shortDate(regional);
            ASSERT_EQ(back.daysBetween(d), 0) << d.shortDate(regional);
            d.addDays(13);
        }
    }
    for (const RegionalSettings& regional : {kTwelveHour, kTwentyFour, kYmdDash}) {
        for (int minutes = 0; minutes < 1440; ++minutes) {
            DateTime t;
            t.minutesOfDay = minutes;
            DateTime back;
            ASSERT_EQ(back.parseTime(t.timeText(regional), regional), 0) << t.timeText(regional);
            ASSERT_EQ(back.minutesOfDay, minutes) << t.timeText(regional);
        }
    }
}

} // namespace
} // namespace bv::units
