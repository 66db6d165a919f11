#include <gtest/gtest.h>

#include "app/shell/shell_dialog_fixture.h"
#include "link_rig.h"
#include "station/archive_dialog.h"
#include "station/archive_settings.h"

namespace bv::station::testing {
namespace {

using namespace archive_dialog;
using platform::MessageResult;
using testsupport::FakeDialogView;

// The dialog over a scripted Ui, on the open link of a Tirrel E that archives
// every 10 minutes.
class ArchiveDialogTest : public app::test::ShellDialogTest {
  protected:
    int runWith(testsupport::ScriptedUi::DialogScript script)
    {
        ui.onDialog("SETUP_ARCHIVE", std::move(script));
        ArchiveDialog dialog(shell, config, *station.link, readArchivePeriod(*station.link));
        return launcher.run(dialog);
    }
    // The captions of the boxes shown since box number `from`.
    std::vector<std::string> captions(std::size_t from = 0) const
    {
        std::vector<std::string> all;
        for (std::size_t i = from; i < ui.boxes().size(); ++i)
            all.push_back(ui.boxes()[i].request.caption);
        return all;
    }

    app::ConfigRecord config;
    SimulatorRig station{*findStationModel(5)};
};

TEST_F(ArchiveDialogTest, ShowsTheStationsIntervalAndTheDownloadSettings)
{
    config.downloadBeforeUpload = true;
    config.downloadIntervalMin = 135;
    config.archiveOverwrite = false;
    runWith([&](FakeDialogView& v) {
        EXPECT_EQ(v.dialogTemplate().title, "Archive ");
        const char* labels[] = {"1 min", "5 min", "10 min", "15 min", "30 min", "1 hr", "2 hr"};
        for (std::size_t i = 0; i < 7; ++i)
            EXPECT_EQ(captionOf(v, kIntervalButtons[i]), labels[i]);
        EXPECT_TRUE(v.checked(kIntervalButtons[2]));
        EXPECT_TRUE(v.checked(kAppend));
        EXPECT_FALSE(v.enabled(kHours));
        EXPECT_EQ(v.text(kMinutes), "");
        v.click(kBeforeUpload);
        EXPECT_EQ(v.text(kHours), "2");
        EXPECT_EQ(v.text(kMinutes), "15");
        EXPECT_EQ(v.text(kFileName), "download.txt");
        v.click(platform::IdCancel);
    });
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(ArchiveDialogTest, APeriodOfNoIntervalIsReportedAndShownAsThirtyMinutes)
{
    station.simulator.station().loggerMemory().setValue({1, 82, 2}, 20);
    runWith([&](FakeDialogView& v) {
        EXPECT_TRUE(v.checked(kIntervalButtons[4]));
        v.click(platform::IdCancel);
    });
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].request.caption, "Error");
    EXPECT_EQ(ui.boxes()[0].request.text, "Station Communication Error. Check station settings.");
}

TEST_F(ArchiveDialogTest, OkAsksItsQuestionsInOrderAndStoresOnlyWhenItCloses)
{
    struct Case {
        const char* title;
        const char* fileName;
        const char* minutes;
        int intervalButton; // index; 2 is the station's 10 minutes
        std::vector<MessageResult> answers;
        std::vector<std::string> captions;
        bool closes;
        int stationPeriod; // afterwards
    };
    const Case cases[] = {
        {"plain", "wx.txt", "30", 2, {}, {}, true, 10},
        {"no name, edit it", "", "30", 2, {MessageResult::Yes}, {"Warning"}, false, 10},
        {"no name, keep it", " ", "30", 2, {MessageResult::No}, {"Warning"}, true, 10},
        {"short, edit it", "wx.txt", "9", 2, {MessageResult::Yes}, {"Warning"}, false, 10},
        {"short, keep it", "wx.txt", "9", 2, {MessageResult::No}, {"Warning"}, true, 10},
        {"new interval, back",
         "wx.txt",
         "30",
         3,
         {MessageResult::Cancel},
         {"Please Note"},
         false,
         10},
        {"new interval", "wx.txt", "30", 3, {MessageResult::Ok}, {"Please Note"}, true, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const std::size_t before = ui.boxes().size();
        config = {};
        config.downloadEnabled = true;
        for (MessageResult answer : c.answers)
            ui.queueAnswer(answer);
        runWith([&](FakeDialogView& v) {
            v.enterText(kFileName, c.fileName);
            v.enterText(kHours, "0");
            v.enterText(kMinutes, c.minutes);
            v.click(kIntervalButtons[c.intervalButton]);
            v.click(platform::IdOk);
            EXPECT_EQ(v.ended(), c.closes);
            if (!c.closes) {
                v.click(platform::IdCancel);
            }
        });
        EXPECT_EQ(captions(before), c.captions);
        EXPECT_EQ(config.archiveFileName, c.closes ? c.fileName : "download.txt");
        EXPECT_EQ(config.downloadIntervalMin, c.closes ? std::stoi(c.minutes) : 1440);
        EXPECT_EQ(readArchivePeriod(*station.link), c.stationPeriod);
    }
}

TEST_F(ArchiveDialogTest, AStationThatDoesNotTakeTheIntervalIsReported)
{
    station.simulator.faults().add(sim::FaultRule(sim::FaultKind::Silence).on("SSP"));
    ui.queueAnswer(MessageResult::Ok);
    EXPECT_EQ(runWith([&](FakeDialogView& v) {
                  v.click(kIntervalButtons[6]);
                  v.click(platform::IdOk);
              }),
              platform::IdOk);
    EXPECT_EQ(captions(), (std::vector<std::string>{"Please Note", "Warning"}));
    EXPECT_EQ(ui.boxes()[1].request.text, "Station Communication Error. Check station settings.");
    EXPECT_EQ(readArchivePeriod(*station.link), 10);
}

} // namespace
} // namespace bv::station::testing
