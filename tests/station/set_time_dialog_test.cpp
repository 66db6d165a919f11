#include <gtest/gtest.h>

#include <cerrno>

#include "app/shell/shell_dialog_fixture.h"
#include "link_rig.h"
#include "platform/clock_setter.h"
#include "station/archive_settings.h"
#include "station/set_time_dialog.h"

namespace bv::station::testing {
namespace {

using namespace set_time_dialog;
using platform::MessageResult;
using testsupport::FakeDialogView;

class RecordingClockSetter : public platform::ClockSetter {
  public:
    int setLocalTime(const platform::WallTime& time) override
    {
        set.push_back(time);
        return refusal;
    }
    std::vector<platform::WallTime> set;
    int refusal = 0;
};

// The dialog over a scripted Ui (PC clock 7 December 2026 09:00, month-day-year
// dates with "-", 12-hour times) on the open link of a simulated station.
class SetTimeDialogTest : public app::test::ShellDialogTest {
  protected:
    int runWith(const StationModel& model, testsupport::ScriptedUi::DialogScript script)
    {
        station = std::make_unique<SimulatorRig>(model);
        ui.onDialog("SETTIME", std::move(script));
        StationTime now;
        EXPECT_EQ(readStationTime(*station->link, now), kDone);
        SetTimeDialog dialog(shell, pcClock, messages, *station->link, now);
        return launcher.run(dialog);
    }
    StationTime stationClock()
    {
        StationTime now;
        EXPECT_EQ(readStationTime(*station->link, now), kDone);
        return now;
    }

    RecordingClockSetter pcClock;
    std::vector<std::string> reported; // status line and event log alike
    StationMessages messages{[this](const std::string& text) { reported.push_back(text); },
                             [this](const std::string& text) { reported.push_back(text); }};
    std::unique_ptr<SimulatorRig> station;
};

TEST_F(SetTimeDialogTest, ShowsThePcsTimeToSetAndTheStationsBesideIt)
{
    // The simulated stations start at 15 June 2026 09:00; the classic ones keep no year.
    const std::pair<int, const char*> cases[] = {{1, " 6-15-00"}, {5, " 6-15-26"}};
    for (const auto& [code, stationDate] : cases) {
        runWith(*findStationModel(code), [&](FakeDialogView& v) {
            EXPECT_EQ(v.dialogTemplate().title, "Set Time & Date");
            EXPECT_EQ(v.text(kDate), "12-07-26");
            EXPECT_EQ(v.text(kTime), " 9:00a");
            EXPECT_EQ(v.text(kStationTime), " 9:00a");
            EXPECT_EQ(v.text(kStationDate), stationDate);
            v.click(platform::IdCancel);
        });
    }
    EXPECT_TRUE(pcClock.set.empty());
}

TEST_F(SetTimeDialogTest, SetsTheStationAndOnRequestThePc)
{
    ui.queueAnswer(MessageResult::No); // clear the archive too?
    EXPECT_EQ(runWith(*findStationModel(5),
                      [](FakeDialogView& v) {
                          v.enterText(kDate, "3-9-27");
                          v.enterText(kTime, "2:37p");
                          v.click(kSetPcTime);
                          v.click(platform::IdOk);
                      }),
              platform::IdOk);
    EXPECT_EQ(stationClock(), (StationTime{2027, 3, 9, 14, 37}));
    ASSERT_EQ(pcClock.set.size(), 1u);
    EXPECT_EQ(pcClock.set[0].year * 100 + pcClock.set[0].month, 202703);
    EXPECT_EQ(pcClock.set[0].hour * 100 + pcClock.set[0].minute, 1437);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].request.caption, "");
    EXPECT_EQ(ui.boxes()[0].request.text, "Would you like to clear the archive memory too?");
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(ui.statusText(), "");
}

TEST_F(SetTimeDialogTest, FailuresAreReportedAndCloseTheDialog)
{
    const std::string commError = "Station Communication Error. Check station settings.";
    struct Case {
        const char* title;
        const char* date;
        bool stationSilent;
        int pcRefusal;
        MessageResult clearArchive;
        std::optional<sim::FaultRule> fault;
        std::vector<std::string> reported;
        bool stationSet;
        std::size_t pcSets;
    };
    const Case cases[] = {
        {"no date", "13/45/00", false, 0, MessageResult::No, {}, {commError}, false, 0},
        {"31 April", "4-31-27", false, 0, MessageResult::No, {}, {commError}, false, 0},
        {"station silent",
         "3-9-27",
         true,
         0,
         MessageResult::No,
         sim::FaultRule(sim::FaultKind::Silence).always(),
         {commError},
         false,
         1},
        {"PC refuses",
         "3-9-27",
         false,
         EPERM,
         MessageResult::No,
         {},
         {"The PC clock could not be set: Operation not permitted"},
         true,
         1},
        {"cleared",
         "3-9-27",
         false,
         0,
         MessageResult::Yes,
         {},
         {"Archive Memory cleared."},
         true,
         1},
        {"clear fails",
         "3-9-27",
         false,
         0,
         MessageResult::Yes,
         sim::FaultRule(sim::FaultKind::Silence).on("SRD").times(2), // the classic link asks twice
         {"Error clearing Archive Memory.", commError},
         true,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        reported.clear();
        pcClock.set.clear();
        pcClock.refusal = c.pcRefusal;
        ui.setDefaultAnswer(c.clearArchive);
        const int result = runWith(*findStationModel(1), [&](FakeDialogView& v) {
            if (c.fault)
                station->simulator.faults().add(*c.fault);
            v.enterText(kDate, c.date);
            v.enterText(kTime, "14:37");
            v.click(kSetPcTime);
            v.click(platform::IdOk);
        });
        EXPECT_EQ(result, platform::IdOk);
        // Each reported text goes to the status line and to the event log.
        std::vector<std::string> twice;
        for (const std::string& text : c.reported)
            twice.insert(twice.end(), {text, text});
        EXPECT_EQ(reported, twice);
        EXPECT_EQ(pcClock.set.size(), c.pcSets);
        station->simulator.faults() = sim::FaultPlan(1);
        EXPECT_EQ(stationClock().hour == 14, c.stationSet);
    }
}

} // namespace
} // namespace bv::station::testing
