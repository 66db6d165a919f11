#include "gui/qt_termination_signals.h"

#include <csignal>
#include <vector>

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/headless/termination_signals.h"

namespace bv::guitest {
namespace {

TEST(QtTerminationSignals, SigtermAndSigintReachTheQtLoopInTheirOrder)
{
    std::vector<int> received;
    const gui::QtTerminationSignals signalsCaught(
        [&](int signalNumber) { received.push_back(signalNumber); });
    ASSERT_TRUE(signalsCaught.installed());

    ASSERT_EQ(std::raise(SIGINT), 0);
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_TRUE(received.empty()); // nothing runs inside the signal handler
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() == 2; }, 5000));
    EXPECT_EQ(received, (std::vector<int>{SIGINT, SIGTERM}));
}

TEST(QtTerminationSignals, SharesTheOneSignalPipeWithThePollLoop)
{
    {
        const gui::QtTerminationSignals first([](int) {});
        EXPECT_TRUE(first.installed());
        platform::PollEventLoop loop;
        const platform::TerminationSignals second(loop, [](int) {});
        EXPECT_FALSE(second.installed());
        const gui::QtTerminationSignals third([](int) {});
        EXPECT_FALSE(third.installed());
    }
    const gui::QtTerminationSignals again([](int) {});
    EXPECT_TRUE(again.installed());
    EXPECT_EQ(std::raise(SIGTERM), 0); // caught: the test goes on
    QCoreApplication::processEvents();
}

} // namespace
} // namespace bv::guitest
