#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "paging/alarm_quantity.h"
#include "paging/alarm_run.h"
#include "paging/send_queue.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::paging {
namespace {

class FakeStation : public PagingStation, public QuantityReadings {
  public:
    double windHigh = 35;
    int resets = 0;
    int closes = 0;

    bool readConditions() override { return true; }
    units::StationFamily family() const override { return units::StationFamily::Classic; }
    QuantityReadings& readings() override { return *this; }
    void resetHighWindSpeed() override { ++resets; }
    void close() override { ++closes; }
    double alarmReading(int q) override { return q == WindSpeed ? windHigh : -100; }
    double weatherReading(int) override { return -100; }
    int windCompassIndex() override { return -1; }
};

// Holds on to the queue until the test lets it finish, as the status window does.
class HeldSender : public PageSender {
  public:
    std::filesystem::path queue;
    std::function<void()> finished;
    void sendQueue(const std::filesystem::path& file, std::function<void()> done) override
    {
        queue = file;
        finished = std::move(done);
    }
};

std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class AlarmRunTest : public ::testing::Test {
  protected:
    AlarmRunTest()
    {
        config.pageOnAlarm = true;
        config.alarmLimits[2 * WindSpeed + 1] = 30;
        std::ofstream(dir.path() / kPagerFileName)
            << "N\t\t\t\t\t0\t6\t0\t1\t0\t\x01\x02\x01\x02\t2\t\n";
        std::ofstream(dir.path() / kAlarmCodesFileName) << "\n\n\n\n\n55\n";
    }

    RunReport run(PageSender* sender)
    {
        return runEvaluation(context, app::PagingSelector::AlarmCheck, station, sender);
    }

    testsupport::TempDir dir;
    testsupport::VirtualTime time;
    testsupport::ScriptedUi ui;
    units::RegionalSettings regional;
    app::Shell shell{ui, time, regional};
    app::ConfigRecord config;
    app::SchedulerState state;
    app::AutoTaskGate gate;
    std::vector<std::string> log;
    PagingContext context{config,
                          state,
                          gate,
                          shell,
                          dir.path(),
                          dir.path() / kSendQueueFileName,
                          [this](const std::string& s) { log.push_back(s); }};
    FakeStation station;
};

TEST_F(AlarmRunTest, QueuesLatchesResetsTheWindAndHoldsTheGateWhileTheSenderWorks)
{
    HeldSender sender;
    const RunReport report = run(&sender);
    EXPECT_TRUE(report.ran && report.stationRead && report.queueWritten);
    EXPECT_EQ(report.pages, 1);
    EXPECT_EQ(readFile(dir.path() / kSendQueueFileName),
              "N\t\t\t\t\t0\t6\t0\t1\t0\t\x01\x02\x01\x02\t2\t\n1*55*35*#,,,;ATH0\r\n");
    EXPECT_EQ(state.alarmRearm[WindSpeed], 0);
    EXPECT_EQ(station.resets, 1);
    EXPECT_EQ(station.closes, 1);
    EXPECT_FALSE(ui.busyCursorShown());
    EXPECT_EQ(sender.queue, dir.path() / kSendQueueFileName);
    EXPECT_TRUE(gate.heldBy(app::GateHolder::Paging));
    sender.finished();
    EXPECT_TRUE(gate.allowed());
}

TEST_F(AlarmRunTest, WithoutASenderTheQueueStaysAndTheGateReopens)
{
    EXPECT_EQ(run(nullptr).pages, 1);
    EXPECT_TRUE(gate.allowed());
    // A gate the user had closed stays closed.
    state.alarmRearm[WindSpeed] = app::kAlarmArmed;
    gate.setHeld(app::GateHolder::User, true);
    EXPECT_EQ(run(nullptr).pages, 1);
    EXPECT_FALSE(gate.allowed());
    EXPECT_FALSE(gate.heldBy(app::GateHolder::Paging));
}

TEST_F(AlarmRunTest, MissingPagerFileQueuesNothingAndPagingOffRunsNothing)
{
    std::filesystem::remove(dir.path() / kPagerFileName);
    const RunReport report = run(nullptr);
    EXPECT_TRUE(report.queueWritten);
    EXPECT_EQ(report.pages, 0);
    EXPECT_EQ(readFile(dir.path() / kSendQueueFileName), "");

    config.pageOnAlarm = false;
    EXPECT_FALSE(run(nullptr).ran);
    EXPECT_EQ(station.closes, 1);
}

} // namespace
} // namespace bv::paging
