#include "app/shell/main_commands.h"

#include <vector>

#include <gtest/gtest.h>

#include "app/shell/application.h"
#include "app/shell/command_table.h"
#include "app/shell/fake_main_view.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::app {
namespace {

using platform::MessageResult;

class FakeRun : public TransferCycleControl {
  public:
    bool isRunning = false;
    int starts = 0;
    int cancels = 0;

    bool running() const override { return isRunning; }
    void cancel() override
    {
        ++cancels;
        isRunning = false;
    }
    void start() override
    {
        ++starts;
        isRunning = true;
    }
};

class FakeConnection : public ConnectionControl {
  public:
    bool active = false;
    std::vector<std::string> calls;

    bool dialUpActive() const override { return active; }
    void dial() override { calls.emplace_back("dial"); }
    void hangUp() override { calls.emplace_back("hangUp"); }
    void closeStationPort() override { calls.emplace_back("closeStationPort"); }
};

class MainCommandsTest : public testing::Test {
  protected:
    MainCommandsTest() { app.start({}, units::RegionalSettings{}); }

    testsupport::TempDir dir{"bv-main-commands"};
    testsupport::ScriptedUi ui;
    testsupport::VirtualTime time;
    Application app{ui, time, time, dir.path(), Edition::WithDialUp};
    FakeMainView view;
    MainCommands commands{app, view};
    FakeRun transfer;
    FakeRun pager;
    FakeConnection connection;
};

TEST_F(MainCommandsTest, ToggleIsRefusedWhileTheToolbarIsBusy)
{
    commands.setToolbarBusy(true);
    commands.execute(CmdDisableTransfers);
    EXPECT_FALSE(commands.transfersDisabled());
    EXPECT_TRUE(app.gate().allowed());
}

TEST_F(MainCommandsTest, ReloadAfterAnEventLoadsTheLogWhetherShownOrNot)
{
    commands.reloadViewer();
    ASSERT_EQ(view.loads.size(), 1u);
    EXPECT_EQ(view.loads[0], app.eventLog().path());
    EXPECT_FALSE(view.viewerShown);
}

TEST_F(MainCommandsTest, PrintNeedsAShownViewer)
{
    commands.execute(CmdPrint);
    EXPECT_EQ(view.prints, 0);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].request.caption, "Error");
    EXPECT_EQ(ui.boxes()[0].request.text, "Nothing to print.");
    EXPECT_TRUE(ui.boxes()[0].request.hasOwner);

    commands.execute(CmdViewLog);
    commands.execute(40198); // Ctrl+P
    EXPECT_EQ(view.prints, 1);
    EXPECT_EQ(ui.boxes().size(), 1u);
}

TEST_F(MainCommandsTest, CommandsWithNothingPluggedInAreGreyedAndSaySo)
{
    for (int command : {CmdStation, CmdTime, CmdArchive, CmdData, CmdInternet, CmdPager,
                        CmdSchedule, CmdWalkthrough, CmdDial, CmdHangUp, CmdStartTransfer,
                        CmdCancelTransfer, CmdDownload, CmdCurrentWeather, CmdViewAlarmInfo}) {
        EXPECT_FALSE(commands.available(command)) << command;
        EXPECT_FALSE(commands.menuEnabled(command)) << command;
        EXPECT_FALSE(commands.toolbarEnabled(command)) << command;
        EXPECT_EQ(commands.unavailableNote(command),
                  "Not available yet: " + std::string(commandPurpose(command)));
        commands.execute(command);
    }
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_EQ(commands.unavailableNote(CmdStation), "Not available yet: the Station Setup dialog");
    EXPECT_EQ(commands.unavailableNote(CmdViewLog), "");
}

TEST_F(MainCommandsTest, PluggedActionRunsFromMenuAndShortcutButNotWhileBusy)
{
    int runs = 0;
    const int before = view.stateUpdates;
    commands.setAction(CmdStation, [&runs] { ++runs; });
    EXPECT_GT(view.stateUpdates, before);
    EXPECT_TRUE(commands.menuEnabled(CmdStation));
    commands.execute(CmdStation);
    commands.execute(40196); // Ctrl+S
    EXPECT_EQ(runs, 2);

    commands.setTransferCycle(&transfer);
    transfer.isRunning = true;
    EXPECT_FALSE(commands.menuEnabled(CmdStation));
    commands.execute(40196);
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(commands.menuEnabled(CmdCancelTransfer));
}

TEST_F(MainCommandsTest, ViewAlarmInfoShowsTheViewerForThePluggedFiller)
{
    bool viewerShownWhenFilled = false;
    commands.setAction(CmdViewAlarmInfo, [this, &viewerShownWhenFilled] {
        viewerShownWhenFilled = view.viewerShown;
    });
    commands.execute(40201); // Ctrl+I
    EXPECT_TRUE(viewerShownWhenFilled);
    EXPECT_TRUE(commands.viewerShown());
}

TEST_F(MainCommandsTest, StartTransferNeedsATransferKindEnabled)
{
    commands.setTransferCycle(&transfer);
    commands.execute(CmdStartTransfer);
    EXPECT_EQ(transfer.starts, 0);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].request.caption, "Warning");
    EXPECT_EQ(ui.boxes()[0].request.text,
              "Please select Enable Transfer to Internet or Local Drive option in Setup Internet.");

    app.config().localTransferEnabled = true;
    app.schedulerState().transferTicks = 42;
    commands.execute(40211); // Ctrl+F
    EXPECT_EQ(transfer.starts, 1);
    EXPECT_EQ(app.schedulerState().transferTicks, 42);
}

TEST_F(MainCommandsTest, CancelAsksForPagesThenTransfers)
{
    struct Case {
        std::vector<MessageResult> answers;
        int pagerCancels;
        int transferCancels;
    };
    const Case cases[] = {
        {{MessageResult::Yes, MessageResult::Yes}, 1, 1},
        {{MessageResult::Yes, MessageResult::No}, 1, 0},
        {{MessageResult::No}, 0, 0},
    };
    commands.setTransferCycle(&transfer);
    commands.setPagerStatus(&pager);
    for (const Case& c : cases) {
        const std::size_t boxesBefore = ui.boxes().size();
        pager = FakeRun{};
        transfer = FakeRun{};
        pager.isRunning = true;
        transfer.isRunning = true;
        for (MessageResult answer : c.answers)
            ui.queueAnswer(answer);
        commands.execute(40212); // Ctrl+E
        EXPECT_EQ(pager.cancels, c.pagerCancels);
        EXPECT_EQ(transfer.cancels, c.transferCancels);
        ASSERT_EQ(ui.boxes().size(), boxesBefore + c.answers.size());
        EXPECT_EQ(ui.boxes()[boxesBefore].request.text, "Cancel all pending pages ?");
        EXPECT_EQ(ui.boxes()[boxesBefore].request.caption, "Warning");
        if (c.answers.size() == 2) {
            EXPECT_EQ(ui.boxes()[boxesBefore + 1].request.text,
                      "Cancel all pending file transfers ?");
        }
    }
}

TEST_F(MainCommandsTest, CancelWithOnlyATransferAsksOnlyAboutIt)
{
    commands.setTransferCycle(&transfer);
    commands.setPagerStatus(&pager);
    transfer.isRunning = true;
    ui.queueAnswer(MessageResult::Yes);
    commands.execute(CmdCancelTransfer);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].request.text, "Cancel all pending file transfers ?");
    EXPECT_EQ(transfer.cancels, 1);
}

TEST_F(MainCommandsTest, HangUpEndsTheDialUpConnectionElseClosesTheStationPort)
{
    commands.setConnection(&connection);
    commands.execute(CmdHangUp);
    connection.active = true;
    commands.execute(40210); // Ctrl+H
    commands.execute(40209); // Ctrl+L
    EXPECT_EQ(connection.calls, (std::vector<std::string>{"closeStationPort", "hangUp", "dial"}));
}

TEST_F(MainCommandsTest, ToolbarBusyTurnsCancelOnAndTheRestOff)
{
    commands.setTransferCycle(&transfer);
    commands.setConnection(&connection);
    EXPECT_FALSE(commands.toolbarEnabled(CmdCancelTransfer));
    EXPECT_TRUE(commands.toolbarEnabled(CmdStartTransfer));
    commands.setToolbarBusy(true);
    EXPECT_TRUE(commands.toolbarEnabled(CmdCancelTransfer));
    for (int command : {CmdDial, CmdHangUp, CmdStartTransfer, CmdDisableTransfers})
        EXPECT_FALSE(commands.toolbarEnabled(command)) << command;
    EXPECT_TRUE(commands.toolbarEnabled(CmdViewLog));
    EXPECT_TRUE(commands.toolbarEnabled(CmdExit));
}

} // namespace
} // namespace bv::app
