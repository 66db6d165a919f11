#include "units/date_time.h"

#include <gtest/gtest.h>

#include "support/virtual_time.h"

namespace bv::units {
namespace {

struct Ymd {
    int year;
    int month;
    int day;
};

DateTime dateOf(Ymd d, int minutesOfDay = 0)
{
    DateTime value(d.month, d.day, d.year);
    value.minutesOfDay = minutesOfDay;
    return value;
}

void expectDate(const DateTime& value, Ymd d)
{
    EXPECT_EQ(value.year, d.year);
    EXPECT_EQ(value.month, d.month);
    EXPECT_EQ(value.day, d.day);
}

TEST(DateTime, NewValuesAreZeroAndValid)
{
    const DateTime zero;
    EXPECT_TRUE(zero.valid);
    EXPECT_EQ(zero.year + zero.month + zero.day + zero.hour + zero.minute + zero.second, 0);
    EXPECT_EQ(zero.minutesOfDay, 0);

    DateTime date(3, 5, 2001);
    expectDate(date, {2001, 3, 5});
    EXPECT_EQ(date.minutesOfDay, 0);
    EXPECT_TRUE(date.valid);
}

TEST(DateTime, CopyKeepsAnInvalidValueInvalid)
{
    DateTime original(3, 5, 2001);
    original.valid = false;
    const DateTime copy = original;
    EXPECT_FALSE(copy.valid);
}

TEST(DateTime, TimeViewsConvert)
{
    DateTime t;
    t.second = 42;
    t.setTime(13, 5);
    EXPECT_EQ(t.minutesOfDay, 785);
    EXPECT_EQ(t.second, 0);

    t.minutesOfDay = 1439;
    t.splitMinutes();
    EXPECT_EQ(t.hour, 23);
    EXPECT_EQ(t.minute, 59);

    t.hour = 7;
    t.minute = 30;
    EXPECT_EQ(t.joinMinutes(), 450);
    EXPECT_EQ(t.minutesOfDay, 450);
}

TEST(DateTime, NowReadsTheFullYearFromTheClock)
{
    const struct {
        platform::WallTime clock;
        int minutesOfDay;
    } cases[] = {
        {{2051, 3, 4, 13, 5, 9, 0, 6}, 785},
        {{2049, 12, 31, 23, 59, 59, 0, 5}, 1439},
        {{1999, 1, 1, 0, 0, 0, 0, 5}, 0},
        {{2126, 7, 15, 6, 30, 1, 0, 3}, 390},
    };
    for (const auto& c : cases) {
        testsupport::VirtualTime clock(c.clock);
        DateTime t;
        t.valid = false;
        EXPECT_EQ(t.now(clock), c.minutesOfDay);
        expectDate(t, {c.clock.year, c.clock.month, c.clock.day});
        EXPECT_EQ(t.hour, c.clock.hour);
        EXPECT_EQ(t.minute, c.clock.minute);
        EXPECT_EQ(t.second, c.clock.second);
        EXPECT_EQ(t.minutesOfDay, c.minutesOfDay);
        EXPECT_TRUE(t.valid);
    }
}

TEST(DateTime, LeapYearsAndMonthLengths)
{
    const struct {
        int year;
        int month;
        bool leap;
        int days;
    } cases[] = {
        {2000, 2, true, 29},  {1900, 2, false, 28}, {2024, 2, true, 29},   {2023, 2, false, 28},
        {2100, 2, false, 28}, {2400, 2, true, 29},  {2001, 1, false, 31},  {2001, 4, false, 30},
        {2001, 6, false, 30}, {2001, 9, false, 30}, {2001, 11, false, 30}, {2001, 12, false, 31},
    };
    for (const auto& c : cases) {
        const DateTime d(c.month, 1, c.year);
        EXPECT_EQ(d.isLeapYear(), c.leap) << c.year;
        EXPECT_EQ(d.daysInMonth(), c.days) << c.year << "-" << c.month;
    }
}

TEST(DateTime, DaysStepAcrossMonthAndYearEnds)
{
    const struct {
        Ymd from;
        Ymd next;
    } cases[] = {
        {{2001, 1, 31}, {2001, 2, 1}},  {{2000, 2, 28}, {2000, 2, 29}},
        {{2000, 2, 29}, {2000, 3, 1}},  {{1900, 2, 28}, {1900, 3, 1}},
        {{2001, 12, 31}, {2002, 1, 1}}, {{2049, 12, 31}, {2050, 1, 1}},
    };
    for (const auto& c : cases) {
        DateTime d = dateOf(c.from, 600);
        d.nextDay();
        expectDate(d, c.next);
        EXPECT_EQ(d.minutesOfDay, 600);
        d.previousDay();
        expectDate(d, c.from);
    }
}

TEST(DateTime, AddAndSubtractDays)
{
    DateTime d = dateOf({2000, 1, 1});
    d.addDays(366);
    expectDate(d, {2001, 1, 1});
    d.subtractDays(365);
    expectDate(d, {2000, 1, 2});
    d.addDays(-2);
    expectDate(d, {1999, 12, 31});
    d.subtractDays(-1);
    expectDate(d, {2000, 1, 1});
    d.addDays(0);
    expectDate(d, {2000, 1, 1});
}

TEST(DateTime, NextMonthCarriesIntoTheYearAndStaysInsideTheMonth)
{
    const struct {
        Ymd from;
        Ymd next;
    } cases[] = {
        {{2001, 1, 15}, {2001, 2, 15}}, {{2001, 12, 1}, {2002, 1, 1}},
        {{2001, 1, 31}, {2001, 2, 28}}, {{2004, 1, 31}, {2004, 2, 29}},
        {{2001, 3, 31}, {2001, 4, 30}},
    };
    for (const auto& c : cases) {
        DateTime d = dateOf(c.from);
        d.nextMonth();
        expectDate(d, c.next);
    }
}

TEST(DateTime, Weekdays)
{
    const struct {
        Ymd date;
        int weekday;
    } cases[] = {
        {{1979, 12, 30}, 0}, {{1980, 1, 1}, 2}, {{1970, 1, 1}, 4},  {{1900, 1, 1}, 1},
        {{2000, 2, 29}, 2},  {{2051, 3, 4}, 6}, {{2026, 12, 7}, 1}, {{1600, 3, 1}, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dateOf(c.date).weekday(), c.weekday)
            << c.date.year << "-" << c.date.month << "-" << c.date.day;
    }
}

TEST(DateTime, DaysBetweenCountsCalendarDays)
{
    const struct {
        DateTime later;
        DateTime earlier;
        int days;
    } cases[] = {
        {dateOf({2000, 3, 1}), dateOf({2000, 2, 28}), 2},
        {dateOf({2001, 1, 1}), dateOf({2000, 1, 1}), 366},
        {dateOf({2000, 1, 2}, 0), dateOf({2000, 1, 1}, 1439), 1},
        {dateOf({2000, 1, 1}, 1439), dateOf({2000, 1, 1}, 0), 0},
        {dateOf({2051, 3, 4}), dateOf({1979, 12, 30}), 25997},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.later.daysBetween(c.earlier), c.days);
        EXPECT_EQ(c.earlier.daysBetween(c.later), -c.days);
    }
}

// Walks day by day over 150 years (to August 2100) with nextDay and checks every calendar operation
// against the walk.
TEST(DateTime, CalendarAgreesWithADayByDayWalk)
{
    const DateTime start = dateOf({1950, 1, 1});
    DateTime walked = start;
    int weekday = start.weekday();
    for (int step = 1; step <= 55000; ++step) {
        walked.nextDay();
        weekday = (weekday + 1) % 7;
        ASSERT_GE(walked.day, 1);
        ASSERT_LE(walked.day, walked.daysInMonth());
        ASSERT_EQ(walked.weekday(), weekday) << step;
        ASSERT_EQ(walked.daysBetween(start), step);
        ASSERT_TRUE(walked.isAfter(start));
        DateTime jumped = start;
        jumped.addDays(step);
        ASSERT_EQ(jumped.year * 10000 + jumped.month * 100 + jumped.day,
                  walked.year * 10000 + walked.month * 100 + walked.day);
    }
    walked.subtractDays(55000);
    expectDate(walked, {1950, 1, 1});
}

TEST(DateTime, ComparisonsGoByYearMonthDayThenMinutes)
{
    const DateTime base = dateOf({2001, 6, 15}, 600);
    const DateTime earlier[] = {
        dateOf({2000, 12, 31}, 1439),
        dateOf({2001, 5, 31}, 1439),
        dateOf({2001, 6, 14}, 1439),
        dateOf({2001, 6, 15}, 599),
    };
    for (const DateTime& other : earlier) {
        EXPECT_TRUE(other.isBefore(base));
        EXPECT_FALSE(other.isAfter(base));
        EXPECT_TRUE(other.isAtOrBefore(base));
        EXPECT_TRUE(base.isAfter(other));
        EXPECT_FALSE(base.isBefore(other));
        EXPECT_FALSE(base.isAtOrBefore(other));
    }
    DateTime same = dateOf({2001, 6, 15}, 600);
    same.hour = 3; // only minutesOfDay counts
    EXPECT_FALSE(same.isBefore(base));
    EXPECT_FALSE(same.isAfter(base));
    EXPECT_TRUE(same.isAtOrBefore(base));
    EXPECT_TRUE(base.isAtOrBefore(same));
}

} // namespace
} // namespace bv::units
