#include <gtest/gtest.h>

#include <vector>

#include "support/virtual_time.h"

namespace bv::testsupport {
namespace {

TEST(VirtualTimeTest, PauseFiresTimersInOrderAndPostedCallsFirst)
{
    VirtualTime vt;
    std::vector<std::string> seen;
    vt.startTimer(1000, [&] { seen.push_back("t1000@" + std::to_string(vt.monotonicMs())); });
    const auto fast = vt.startTimer(300, [&] { seen.push_back("t300@" + std::to_string(vt.monotonicMs())); });
    vt.post([&] { seen.push_back("posted"); });
    vt.pause(650);
    vt.stopTimer(fast);
    vt.pause(400);
    EXPECT_EQ(seen, (std::vector<std::string>{"posted", "t300@300", "t300@600", "t1000@1000"}));
    EXPECT_EQ(vt.monotonicMs(), 1050);
}

TEST(VirtualTimeTest, WallClockCrossesMidnightAndYearEnd)
{
    VirtualTime vt({2049, 12, 31, 23, 59, 59, 500, 5});
    vt.advance(600);
    const auto t = vt.localTime();
    EXPECT_EQ(t.year, 2050);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.millisecond, 100);
    EXPECT_EQ(t.weekday, 6); // 1 January 2050 is a Saturday
}

TEST(VirtualTimeTest, TimerMayStopItselfWhileFiring)
{
    VirtualTime vt;
    int fired = 0;
    platform::TimerId id = 0;
    id = vt.startTimer(100, [&] {
        ++fired;
        vt.stopTimer(id);
    });
    vt.pause(1000);
    EXPECT_EQ(fired, 1);
}

} // namespace
} // namespace bv::testsupport
