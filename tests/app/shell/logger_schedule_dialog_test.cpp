#include "app/shell/logger_schedule_dialog.h"
#include "shell_dialog_fixture.h"

namespace bv::app::test {
namespace {

using namespace logger_dialog;
using platform::MessageResult;
using testsupport::FakeDialogView;

class LoggerScheduleDialogTest : public ShellDialogTest {
  protected:
    LoggerScheduleDialogTest()
    {
        config.loggerStartMin = 120; // 2:00a
        config.loggerEndMin = 180;   // 3:00a
        config.loggerCommand = "/opt/darnex/darnex4 -d";
    }

    int runWith(testsupport::ScriptedUi::DialogScript script)
    {
        ui.onDialog("SETUP_Darnex4", std::move(script));
        return runScheduleDialog(launcher, shell, config, [this] { ++saves; });
    }

    ConfigRecord config;
    int saves = 0;
};

TEST_F(LoggerScheduleDialogTest, OkChecksTheTimesAndWritesOnlyWhatItAccepts)
{
    const struct {
        const char* start;
        const char* end;
        std::vector<MessageResult> answers; // to the questions, in order
        int result;
        std::int32_t startMin, endMin; // afterwards in the configuration
        std::size_t boxes;
    } rows[] = {
        {"1:00a", "4:30a", {}, platform::IdOk, 60, 270, 0},
        {"1:00a", "1:05a", {MessageResult::No}, platform::IdOk, 60, 65, 1},        // short: accept
        {"1:00a", "1:05a", {MessageResult::Yes}, platform::IdCancel, 120, 180, 1}, // short: correct
        {"5:00a", "4:00a", {MessageResult::No}, platform::IdCancel, 120, 180, 1}, // start after end
        {"junk", "4:00a", {MessageResult::No}, platform::IdOk, 120, 240, 1},      // keep old start
        {"junk", "4:00a", {MessageResult::Yes}, platform::IdCancel, 120, 180, 1}, // correct it
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.start) + " " + row.end);
        config.loggerStartMin = 120;
        config.loggerEndMin = 180;
        const std::size_t boxesBefore = ui.boxes().size();
        for (const MessageResult answer : row.answers)
            ui.queueAnswer(answer);
        const int result = runWith([&](FakeDialogView& v) {
            EXPECT_EQ(v.text(kStartEdit), " 2:00a");
            v.enterText(kStartEdit, row.start);
            v.enterText(kEndEdit, row.end);
            v.click(kDayButtons[6]);
            v.click(platform::IdOk);
            if (!v.ended())
                v.click(platform::IdCancel);
        });
        EXPECT_EQ(result, row.result);
        EXPECT_EQ(config.loggerStartMin, row.startMin);
        EXPECT_EQ(config.loggerEndMin, row.endMin);
        EXPECT_EQ(config.loggerDays[6] == Flag(true), row.result == platform::IdOk)
            << "a cancelled dialog keeps nothing";
        EXPECT_EQ(ui.boxes().size() - boxesBefore, row.boxes);
        config.loggerDays[6] = Flag(false);
    }
    EXPECT_EQ(saves, 3);
}

TEST_F(LoggerScheduleDialogTest, BrowsePutsTheChosenProgramIntoThePath)
{
    ui.queueFiles({"/opt/tirrel/tirrel-logger"});
    runWith([](FakeDialogView& v) {
        v.click(kBrowse);
        EXPECT_EQ(v.text(kCommandEdit), "/opt/tirrel/tirrel-logger");
        v.click(kEnable);
        v.click(platform::IdOk);
    });
    EXPECT_EQ(config.loggerCommand, "/opt/tirrel/tirrel-logger");
    EXPECT_EQ(config.loggerEnabled, Flag(true));
}

} // namespace
} // namespace bv::app::test
