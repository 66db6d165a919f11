#include "platform/headless/poll_event_loop.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/fd_watch_contract.h"
#include "platform/linux/system_clock.h"

namespace bv::platform {
namespace {

// These tests run on real time, in waits of a few tens of milliseconds; they
// check order and counts, with room for a loaded machine, never speed.

TEST(PollEventLoop, PostedCallsRunInOrderAndCallsPostedMeanwhileWaitForTheNextPump)
{
    PollEventLoop loop;
    std::string trace;
    loop.post([&] {
        trace += 'a';
        loop.post([&] { trace += 'c'; });
    });
    loop.post([&] { trace += 'b'; });
    loop.pump();
    EXPECT_EQ(trace, "ab");
    loop.pump();
    EXPECT_EQ(trace, "abc");
}

TEST(PollEventLoop, PauseWaitsItsTimeAndRunsTimersInDueOrder)
{
    PollEventLoop loop;
    SystemClock clock;
    std::vector<char> fired;
    const TimerId fast = loop.startTimer(10, [&] { fired.push_back('f'); });
    loop.startTimer(25, [&] { fired.push_back('s'); });
    loop.post([&] { fired.push_back('p'); });

    const std::int64_t start = clock.monotonicMs();
    loop.pause(60);
    EXPECT_GE(clock.monotonicMs() - start, 60);

    ASSERT_FALSE(fired.empty());
    EXPECT_EQ(fired.front(), 'p');
    // The 10 ms timer is due first and fires more often than the 25 ms one.
    ASSERT_GE(fired.size(), 3u);
    EXPECT_EQ(fired[1], 'f');
    const auto fastCount = std::count(fired.begin(), fired.end(), 'f');
    const auto slowCount = std::count(fired.begin(), fired.end(), 's');
    EXPECT_GE(slowCount, 1);
    EXPECT_LE(slowCount, 2);
    // On a loaded machine a late timer fires once instead of catching up, so
    // only the order is certain, not how many more times the fast one fired.
    EXPECT_GE(fastCount, slowCount);
    EXPECT_LE(fastCount, 6);

    loop.stopTimer(fast);
    fired.clear();
    loop.pause(30);
    EXPECT_EQ(std::count(fired.begin(), fired.end(), 'f'), 0);
}

TEST(PollEventLoop, ATimerMayStopItselfAndAStoppedTimerNeverFires)
{
    PollEventLoop loop;
    int count = 0;
    TimerId self = 0;
    self = loop.startTimer(5, [&] {
        ++count;
        loop.stopTimer(self);
    });
    int other = 0;
    const TimerId stopped = loop.startTimer(5, [&] { ++other; });
    loop.stopTimer(stopped);
    loop.stopTimer(stopped); // harmless
    loop.stopTimer(999);     // harmless
    loop.pause(30);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(other, 0);
}

TEST(PollEventLoop, ALateTimerFiresOnceInsteadOfCatchingUp)
{
    PollEventLoop loop;
    int count = 0;
    loop.startTimer(10, [&] { ++count; });
    // A long call holds the thread for several periods.
    std::this_thread::sleep_for(std::chrono::milliseconds(55));
    loop.pump();
    EXPECT_EQ(count, 1);
    loop.pump();
    EXPECT_EQ(count, 1); // next due a whole period after the late run
}

TEST(PollEventLoop, RunReturnsTheCodeOfQuit)
{
    PollEventLoop loop;
    int ticks = 0;
    loop.startTimer(5, [&] {
        if (++ticks == 3)
            loop.quit(7);
    });
    EXPECT_EQ(loop.run(), 7);
    EXPECT_EQ(ticks, 3);
}

TEST(PollEventLoop, QuitBeforeRunEndsTheNextRunAtOnce)
{
    PollEventLoop loop;
    bool ran = false;
    loop.post([&] { ran = true; });
    loop.quit(2);
    EXPECT_EQ(loop.run(), 2);
    EXPECT_FALSE(ran); // posted work stays for the next turn
    loop.pump();
    EXPECT_TRUE(ran);
}

} // namespace

namespace contract {
INSTANTIATE_TYPED_TEST_SUITE_P(Poll, FdWatchContract, PollEventLoop);
} // namespace contract

} // namespace bv::platform
