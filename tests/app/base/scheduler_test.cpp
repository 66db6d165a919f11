#include "app/base/scheduler.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/virtual_time.h"

namespace bv::app {
namespace {

using platform::WallTime;

struct Call {
    std::string what; // "transfer", "download", "page1".."page3", "logger"
    WallTime at;
    bool gateWasOpen;
};

// Records what the timer starts. An activity may hold the gate closed for a
// while, as the real transfer cycle and paging run do.
class RecordingActivities : public AutomaticActivities {
  public:
    RecordingActivities(testsupport::VirtualTime& time, AutoTaskGate& gate)
        : time_(time), gate_(gate)
    {
    }

    void startTransferCycle() override
    {
        record("transfer");
        holdGate(transferSeconds);
    }
    void downloadArchive() override { record("download"); }
    void runPaging(PagingSelector what) override
    {
        record("page" + std::to_string(static_cast<int>(what)));
        if (onPaging)
            onPaging(what);
        holdGate(pagingSeconds);
    }
    void loggerTick() override
    {
        ++loggerTicks;
        if (recordLogger)
            record("logger");
    }

    std::vector<Call> calls;
    int transferSeconds = 0;
    int pagingSeconds = 0;
    std::function<void(PagingSelector)> onPaging;
    bool recordLogger = false; // the logger step runs on every tick, enabled or not
    int loggerTicks = 0;

    int count(const std::string& what) const
    {
        int n = 0;
        for (const auto& c : calls)
            n += c.what == what;
        return n;
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const auto& c : calls)
            out.push_back(c.what);
        return out;
    }

  private:
    void record(std::string what)
    {
        calls.push_back({std::move(what), time_.localTime(), gate_.allowed()});
    }
    void holdGate(int seconds)
    {
        if (seconds <= 0)
            return;
        gate_.hold(GateHolder::TransferCycle);
        auto id = std::make_shared<platform::TimerId>();
        *id = time_.startTimer(seconds * 1000, [this, id] {
            gate_.release(GateHolder::TransferCycle);
            time_.stopTimer(*id);
        });
    }

    testsupport::VirtualTime& time_;
    AutoTaskGate& gate_;
};

constexpr WallTime kSundayMidnight{2026, 12, 6, 0, 0, 0, 0, 0};

class SchedulerTest : public ::testing::Test {
  protected:
    SchedulerTest()
    {
        time.startTimer(Scheduler::kTickPeriodMs, [this] { scheduler.onTimerTick(); });
    }

    void runTicks(int n) { time.advance(static_cast<std::int64_t>(n) * Scheduler::kTickPeriodMs); }

    testsupport::VirtualTime time{kSundayMidnight};
    ConfigRecord config;
    AutoTaskGate gate;
    SchedulerState state;
    RecordingActivities activities{time, gate};
    Scheduler scheduler{config, gate, state, time, activities};
};

TEST_F(SchedulerTest, DefaultConfigurationStartsNothing)
{
    runTicks(24 * 3600);
    EXPECT_TRUE(activities.calls.empty());
}

TEST_F(SchedulerTest, FirstTimedTransferStartsAtThe61stTick)
{
    config.internetTransferEnabled = true;
    config.transferIntervalSec = 60;
    runTicks(60);
    EXPECT_TRUE(activities.calls.empty());
    runTicks(1);
    ASSERT_EQ(activities.names(), std::vector<std::string>{"transfer"});
    EXPECT_EQ(activities.calls[0].at.minute, 1);
    EXPECT_EQ(activities.calls[0].at.second, 1);
    runTicks(61);
    EXPECT_EQ(activities.count("transfer"), 2);
}

TEST_F(SchedulerTest, LocalTransferAloneAlsoRunsButTheHoldStopsIt)
{
    config.localTransferEnabled = true;
    config.transferIntervalSec = 10;
    runTicks(11);
    EXPECT_EQ(activities.count("transfer"), 1);
    config.transferHold = 2;
    runTicks(100);
    EXPECT_EQ(activities.count("transfer"), 1);
}

TEST_F(SchedulerTest, MondayRangeFiresAtItsStartMinuteThenHourlyUntilItsEnd)
{
    config.internetTransferEnabled = true;
    config.transferIntervalSec = 3600;
    config.transferRange.enabled = true;
    config.transferRange.days = {};
    config.transferRange.days[1] = true;
    config.transferRange.fromMin = 8 * 60;
    config.transferRange.toMin = 17 * 60;

    runTicks(7 * 24 * 3600);

    int inStartMinute = 0;
    std::vector<int> laterHours;
    for (const auto& c : activities.calls) {
        ASSERT_EQ(c.what, "transfer");
        ASSERT_EQ(c.at.weekday, 1) << "a transfer outside Monday";
        if (c.at.hour == 8 && c.at.minute == 0) {
            ++inStartMinute;
        } else {
            EXPECT_EQ(c.at.minute, 0);
            EXPECT_EQ(c.at.second, 59); // an hour after the last start-minute tick
            laterHours.push_back(c.at.hour);
        }
    }
    EXPECT_EQ(inStartMinute, 60); // every tick of 08:00 while the gate is open
    EXPECT_EQ(laterHours, (std::vector<int>{9, 10, 11, 12, 13, 14, 15, 16, 17}));
}

TEST_F(SchedulerTest, AnyNonZeroRangeByteBindsTheTransferToItsRange)
{
    config.internetTransferEnabled = true;
    config.transferIntervalSec = 60;
    config.transferRange.enabled = Flag::fromRaw(2);
    config.transferRange.days = {}; // no day allowed

    runTicks(24 * 3600);

    EXPECT_TRUE(activities.calls.empty());
}

TEST_F(SchedulerTest, AWeekWithRangesBusyActivitiesADialogAndLatches)
{
    config.internetTransferEnabled = true;
    config.transferIntervalSec = 3600;
    config.transferRange.enabled = true;
    config.transferRange.days = {false, true, true, true, true, true, false};
    config.transferRange.fromMin = 8 * 60;
    config.transferRange.toMin = 17 * 60;
    config.downloadEnabled = true;
    config.downloadBeforeUpload = true;
    config.pageOnAlarm = true;
    config.alarmPageIntervalMin = 15;
    config.pageWeather = true;
    config.weatherPageIntervalMin = 60;
    config.alarmRearmMin = 60;
    config.loggerEnabled = true;
    activities.transferSeconds = 40;
    activities.pagingSeconds = 20;
    // The alarm evaluation pages alarm 0 whenever it checks while the latch is
    // armed, and latches it.
    std::vector<std::int64_t> alarmSentAt;
    activities.onPaging = [&](PagingSelector what) {
        if (what != PagingSelector::WeatherPage && state.alarmRearm[0] == kAlarmArmed) {
            state.alarmRearm[0] = 0;
            alarmSentAt.push_back(time.monotonicMs() / 1000);
        }
    };

    // A settings dialog is open on Wednesday from 10:00 for half an hour.
    const int wednesday10 = 3 * 86400 + 10 * 3600;
    runTicks(wednesday10 - 1);
    gate.setHeld(GateHolder::User, true);
    runTicks(1800);
    gate.setHeld(GateHolder::User, false);
    runTicks(7 * 86400 - wednesday10 - 1799);

    EXPECT_EQ(activities.loggerTicks, 7 * 86400);
    std::string previous;
    for (const auto& c : activities.calls) {
        EXPECT_TRUE(c.gateWasOpen) << c.what << " started with the gate closed";
        EXPECT_FALSE(c.at.weekday == 3 && c.at.hour == 10 && c.at.minute < 30)
            << c.what << " started while the dialog was open";
        if (c.what == "transfer") {
            EXPECT_EQ(previous, "download") << "no download before the upload";
            EXPECT_TRUE(c.at.weekday >= 1 && c.at.weekday <= 5);
            const int minute = c.at.hour * 60 + c.at.minute;
            EXPECT_TRUE(minute >= 8 * 60 && minute <= 17 * 60) << minute;
        }
        previous = c.what;
    }
    EXPECT_GT(activities.count("transfer"), 5 * 9);
    EXPECT_GT(activities.count("page1") + activities.count("page3"), 7 * 23);
    ASSERT_GT(alarmSentAt.size(), 7u * 24 * 60 / 90);
    for (std::size_t i = 1; i < alarmSentAt.size(); ++i)
        EXPECT_GT(alarmSentAt[i] - alarmSentAt[i - 1], 3600) << "latch re-armed too early";
}

TEST_F(SchedulerTest, RangeStartMinuteRestartsWheneverTheGateReopens)
{
    config.internetTransferEnabled = true;
    config.transferIntervalSec = 3600;
    config.transferRange.enabled = true;
    config.transferRange.fromMin = 0;
    config.transferRange.toMin = 60;
    activities.transferSeconds = 25; // the cycle holds the gate for 25 s

    runTicks(60);

    ASSERT_EQ(activities.count("transfer"), 3);
    EXPECT_EQ(activities.calls[0].at.second, 1);
    EXPECT_GT(activities.calls[1].at.second, 25);
    EXPECT_GT(activities.calls[2].at.second, 50);
}

TEST_F(SchedulerTest, DisableAllTransfersStopsEverythingButTheLoggerSchedule)
{
    config.internetTransferEnabled = true;
    config.transferIntervalSec = 60;
    config.downloadEnabled = true;
    config.downloadIntervalMin = 1;
    config.pageOnAlarm = true;
    config.alarmPageIntervalMin = 1;
    config.pageWeather = true;
    config.weatherPageIntervalMin = 1;
    config.loggerEnabled = true;
    activities.recordLogger = true;

    gate.setHeld(GateHolder::User, true); // the toolbar toggle
    runTicks(3600);
    EXPECT_EQ(activities.count("logger"), 3600);
    EXPECT_EQ(activities.calls.size(), 3600u);

    activities.calls.clear();
    gate.setHeld(GateHolder::User, false); // counters ran on: everything is overdue at once
    runTicks(1);
    EXPECT_EQ(activities.names(),
              (std::vector<std::string>{"transfer", "download", "page3", "logger"}));
}

TEST_F(SchedulerTest, OneTickStartsActivitiesInOrderAndATransferClosesTheGate)
{
    config.internetTransferEnabled = true;
    config.downloadEnabled = true;
    config.pageWeather = true;
    config.loggerEnabled = true;
    activities.recordLogger = true;
    state.transferTicks = 1 << 20;
    state.downloadTicks = 1 << 20;
    state.weatherPageTicks = 1 << 20;

    scheduler.onTimerTick();
    EXPECT_EQ(activities.names(),
              (std::vector<std::string>{"transfer", "download", "page1", "logger"}));
    EXPECT_EQ(state.transferTicks, 0);
    EXPECT_EQ(state.downloadTicks, 0);
    EXPECT_EQ(state.weatherPageTicks, 0);

    activities.calls.clear();
    activities.transferSeconds = 30;
    state.transferTicks = 1 << 20;
    state.downloadTicks = 1 << 20;
    state.weatherPageTicks = 1 << 20;
    scheduler.onTimerTick();
    EXPECT_EQ(activities.names(), (std::vector<std::string>{"transfer", "logger"}));
}

TEST_F(SchedulerTest, DownloadBeforeUploadRunsWithEachTransferInstead)
{
    config.internetTransferEnabled = true;
    config.transferIntervalSec = 120;
    config.downloadEnabled = true;
    config.downloadBeforeUpload = true;
    config.downloadIntervalMin = 1;
    runTicks(600);
    EXPECT_EQ(activities.names(),
              (std::vector<std::string>{"download", "transfer", "download", "transfer", "download",
                                        "transfer", "download", "transfer"}));
}

TEST_F(SchedulerTest, TimedDownloadFollowsItsIntervalInMinutes)
{
    config.downloadEnabled = true;
    config.downloadIntervalMin = 2;
    runTicks(120);
    EXPECT_TRUE(activities.calls.empty());
    runTicks(1);
    EXPECT_EQ(activities.count("download"), 1);
    runTicks(121);
    EXPECT_EQ(activities.count("download"), 2);
}

TEST_F(SchedulerTest, PagingSelectorCombinesWeatherAndAlarm)
{
    config.pageWeather = true;
    config.weatherPageIntervalMin = 1;
    config.pageOnAlarm = true;
    config.alarmPageIntervalMin = 2;

    struct Expect {
        int tick;
        const char* what;
    };
    const Expect expected[] = {{60, "page1"}, {120, "page3"}, {180, "page1"}, {240, "page3"}};
    runTicks(240);
    ASSERT_EQ(activities.calls.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const auto& c = activities.calls[i];
        EXPECT_EQ(c.what, expected[i].what);
        EXPECT_EQ(c.at.minute * 60 + c.at.second, expected[i].tick);
    }
}

TEST_F(SchedulerTest, AlarmAloneAndItsRange)
{
    config.pageOnAlarm = true;
    config.alarmPageIntervalMin = 30;
    config.alarmPageRange.enabled = true;
    config.alarmPageRange.fromMin = 6 * 60;
    config.alarmPageRange.toMin = 7 * 60;
    runTicks(24 * 3600);
    // Every tick of 06:00, then every 30 minutes after the last of them up to
    // and including the minute 07:00.
    ASSERT_EQ(activities.count("page2"), 62);
    EXPECT_EQ(activities.calls[60].at.minute, 30);
    EXPECT_EQ(activities.calls.back().at.hour, 7);
    EXPECT_EQ(activities.calls.back().at.minute, 0);
    EXPECT_EQ(activities.calls.back().at.second, 59);
}

TEST_F(SchedulerTest, LatchesReArmAfterTheReEnableTime)
{
    config.alarmRearmMin = 1;
    state.alarmRearm[3] = 0; // alarm 3 was just paged
    state.alarmRearm[13] = 55;
    runTicks(10);
    EXPECT_EQ(state.alarmRearm[3], 10);
    EXPECT_EQ(state.alarmRearm[13], kAlarmArmed);
    runTicks(50);
    EXPECT_EQ(state.alarmRearm[3], 60); // not yet greater than 60 s
    runTicks(1);
    EXPECT_EQ(state.alarmRearm[3], kAlarmArmed);
    for (std::int32_t latch : state.alarmRearm)
        EXPECT_EQ(latch, kAlarmArmed);
}

TEST(AdvanceTimers, AddsToCountersAndToUnarmedLatchesOnly)
{
    SchedulerState state;
    state.transferTicks = 5;
    state.alarmRearm[0] = 7;
    advanceTimers(state, 60);
    EXPECT_EQ(state.transferTicks, 65);
    EXPECT_EQ(state.downloadTicks, 60);
    EXPECT_EQ(state.weatherPageTicks, 60);
    EXPECT_EQ(state.alarmPageTicks, 60);
    EXPECT_EQ(state.alarmRearm[0], 67);
    EXPECT_EQ(state.alarmRearm[1], kAlarmArmed);
}

TEST_F(SchedulerTest, CounterWrappingPastItsLimitStartsAgainAtZero)
{
    config.internetTransferEnabled = true;
    config.transferIntervalSec = 60;
    state.transferTicks = INT32_MAX;
    scheduler.onTimerTick();
    EXPECT_EQ(state.transferTicks, 0);
    EXPECT_TRUE(activities.calls.empty());
}

TEST_F(SchedulerTest, HugeIntervalsDoNotOverflow)
{
    config.downloadEnabled = true;
    config.downloadIntervalMin = INT32_MAX;
    config.alarmRearmMin = INT32_MAX;
    state.alarmRearm[0] = INT32_MAX - 1;
    state.downloadTicks = INT32_MAX - 1;
    scheduler.onTimerTick();
    EXPECT_TRUE(activities.calls.empty());
    EXPECT_EQ(state.alarmRearm[0], INT32_MAX);
}

struct RangeCase {
    const char* name;
    int weekday;
    int hour;
    int minute;
    int fromMin;
    int toMin;
    int interval;
    int counter;
    bool due;
};

class RangeDueTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeDueTest, Decides)
{
    const RangeCase& c = GetParam();
    testsupport::VirtualTime time;
    time.setLocalTime({2026, 12, 6 + c.weekday, c.hour, c.minute, 30, 0, c.weekday});
    ASSERT_EQ(time.localTime().weekday, c.weekday);
    std::array<Flag, 7> days{};
    days[1] = true; // Monday
    days[3] = true; // Wednesday
    EXPECT_EQ(rangeDue(time, days, c.fromMin, c.toMin, c.interval, c.counter), c.due);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RangeDueTest,
    ::testing::Values(
        RangeCase{"StartMinuteWhateverTheCounter", 1, 8, 0, 480, 1020, 3600, 0, true},
        RangeCase{"StartMinuteOnAnUntickedDay", 2, 8, 0, 480, 1020, 3600, 99999, false},
        RangeCase{"InsideWithCounterReached", 3, 12, 0, 480, 1020, 3600, 3600, true},
        RangeCase{"InsideWithCounterShort", 3, 12, 0, 480, 1020, 3600, 3599, false},
        RangeCase{"EndMinuteIsInside", 1, 17, 0, 480, 1020, 60, 60, true},
        RangeCase{"AfterTheEnd", 1, 17, 1, 480, 1020, 60, 60, false},
        RangeCase{"BeforeTheStart", 1, 7, 59, 480, 1020, 60, 60, false},
        RangeCase{"EqualTimesMeanAllDay", 1, 23, 59, 600, 600, 5, 5, true},
        RangeCase{"EqualTimesStillNeedTheCounter", 1, 3, 0, 600, 600, 5, 4, false},
        RangeCase{"BackwardWindowOnlyAtItsStart", 1, 23, 0, 1380, 60, 1, 100, true},
        RangeCase{"BackwardWindowNeverElse", 1, 23, 30, 1380, 60, 1, 100, false},
        RangeCase{"BackwardWindowNotAfterMidnight", 1, 0, 30, 1380, 60, 1, 100, false},
        RangeCase{"Sunday", 0, 12, 0, 0, 1439, 1, 1, false}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace bv::app
