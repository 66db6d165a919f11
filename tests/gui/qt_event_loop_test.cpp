#include <vector>

#include <gtest/gtest.h>

#include "gui/qt_event_loop.h"
#include "platform/fd_watch_contract.h"

namespace bv::guitest {
namespace {

TEST(QtEventLoop, PostedCallsRunInOrderOnTheNextPump)
{
    gui::QtEventLoop loop;
    std::vector<int> ran;
    loop.post([&] { ran.push_back(1); });
    loop.post([&] {
        ran.push_back(2);
        loop.post([&] { ran.push_back(4); }); // behind what is already queued
    });
    loop.post([&] { ran.push_back(3); });
    EXPECT_TRUE(ran.empty());
    loop.pump();
    loop.pump();
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4}));
}

TEST(QtEventLoop, TimersRepeatWhilePausingUntilStoppedEvenFromTheirOwnCall)
{
    gui::QtEventLoop loop;
    int ticks = 0;
    int other = 0;
    platform::TimerId id = 0;
    id = loop.startTimer(2, [&] {
        if (++ticks == 3)
            loop.stopTimer(id);
    });
    const platform::TimerId second = loop.startTimer(1, [&] { ++other; });
    EXPECT_NE(id, second);
    while (ticks < 3)
        loop.pause(5);
    loop.stopTimer(second);
    const int otherAtStop = other;
    loop.pause(20);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(other, otherAtStop);
    EXPECT_GT(otherAtStop, 0);
    loop.stopTimer(second); // a second stop is harmless
    loop.stopTimer(12345);
}

TEST(QtEventLoop, PauseRunsPostedCallsAndDestroyingTheLoopDropsWhatIsLeft)
{
    int ran = 0;
    {
        gui::QtEventLoop loop;
        loop.post([&] { ++ran; });
        loop.pause(1);
        EXPECT_EQ(ran, 1);
        loop.post([&] { ++ran; });
        loop.startTimer(1, [&] { ++ran; });
    }
    gui::QtEventLoop other;
    other.pause(10);
    EXPECT_EQ(ran, 1);
}

} // namespace

} // namespace bv::guitest

namespace bv::platform::contract {
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, FdWatchContract, gui::QtEventLoop);
} // namespace bv::platform::contract
