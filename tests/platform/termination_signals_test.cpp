#include "platform/headless/termination_signals.h"

#include <csignal>
#include <vector>

#include <gtest/gtest.h>

namespace bv::platform {
namespace {

struct sigaction currentAction(int signalNumber)
{
    struct sigaction action {};
    sigaction(signalNumber, nullptr, &action);
    return action;
}

TEST(TerminationSignals, SigtermAndSigintReachTheLoopAsCallsOnItsThread)
{
    PollEventLoop loop;
    std::vector<int> received;
    TerminationSignals signals(loop, [&](int signalNumber) {
        received.push_back(signalNumber);
        if (signalNumber == SIGTERM)
            loop.quit(0);
    });
    ASSERT_TRUE(signals.installed());

    ASSERT_EQ(std::raise(SIGINT), 0);
    EXPECT_TRUE(received.empty()); // nothing runs inside the signal handler
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_EQ(loop.run(), 0);
    EXPECT_EQ(received, (std::vector<int>{SIGINT, SIGTERM}));
}

TEST(TerminationSignals, OnlyOneInstallsAndThePreviousHandlersComeBack)
{
    const auto before = currentAction(SIGTERM).sa_handler;
    PollEventLoop loop;
    {
        TerminationSignals first(loop, [](int) {});
        EXPECT_TRUE(first.installed());
        EXPECT_NE(currentAction(SIGTERM).sa_handler, before);
        TerminationSignals second(loop, [](int) {});
        EXPECT_FALSE(second.installed());
    }
    EXPECT_EQ(currentAction(SIGTERM).sa_handler, before);
    EXPECT_EQ(currentAction(SIGINT).sa_handler, SIG_DFL);

    TerminationSignals again(loop, [](int) {});
    EXPECT_TRUE(again.installed());
}

} // namespace
} // namespace bv::platform
