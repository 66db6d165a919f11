#include <gtest/gtest.h>

#include <algorithm>

#include "app/shell/application.h"
#include "app/shell/command_table.h"
#include "app/shell/fake_main_view.h"
#include "app/shell/main_commands.h"
#include "app/shell/shell_actions.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"
#include "station/archive_dialog.h"
#include "station/set_time_dialog.h"
#include "station/station_setup_dialog.h"
#include "support/memory_wire.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

// Setup > Station, Time and Archive in the program, on a simulated Carrow III
// that every port leads to.
namespace bv::app {
namespace {

sim::StationConfig carrowIII()
{
    sim::StationConfig c;
    c.model = *sim::findSimulatedModel("Carrow III");
    return c;
}

class StationCommandsTest : public testing::Test {
  protected:
    StationCommandsTest()
    {
        app.start({}, {});
        app.config().stationModel = 1;
        app.applyStationSettings();
        addShellActions(commands, app);
    }
    bool opened(const std::string& name) const
    {
        const auto& all = ui.openedDialogs();
        return std::find(all.begin(), all.end(), name) != all.end();
    }

    testsupport::TempDir dir{"bv-station-commands"};
    testsupport::ScriptedUi ui;
    testsupport::VirtualTime time;
    sim::StationSimulator station{carrowIII()};
    testsupport::MemoryWire wire{time, station};
    Application app{ui, time, time, dir.path(), Edition::WithoutDialUp, {wire.factory(), {}}};
    FakeMainView view;
    MainCommands commands{app, view};
};

TEST_F(StationCommandsTest, TimeAndArchiveOpenTheStationAndHoldTheGate)
{
    for (int command : {CmdStation, CmdTime, CmdArchive})
        EXPECT_TRUE(commands.menuEnabled(command)) << command;
    bool gateOpen = true;
    ui.onDialog("SETTIME", [&](testsupport::FakeDialogView& v) {
        gateOpen = app.gate().allowed();
        EXPECT_EQ(v.text(station::set_time_dialog::kStationTime), " 9:00a");
        v.click(platform::IdCancel);
    });
    commands.execute(CmdTime);
    EXPECT_FALSE(gateOpen);
    ui.onDialog("SETUP_ARCHIVE", [&](testsupport::FakeDialogView& v) {
        EXPECT_TRUE(v.checked(station::archive_dialog::kIntervalButtons[4])); // 30 min
        v.click(platform::IdCancel);
    });
    commands.execute(CmdArchive);
    EXPECT_TRUE(app.gate().allowed());
    EXPECT_FALSE(wire.isOpen());

    // A station that does not answer: no dialog, the error on the status line.
    station.faults().add(sim::FaultRule(sim::FaultKind::Silence).always());
    const std::size_t dialogs = ui.openedDialogs().size();
    commands.execute(CmdTime);
    EXPECT_EQ(ui.openedDialogs().size(), dialogs);
    EXPECT_NE(ui.statusText().find("Station Communication Error. Check station settings."),
              std::string::npos);
}

TEST_F(StationCommandsTest, StationSetupDetectsAndSavesTheStation)
{
    ui.queueAnswer(platform::MessageResult::Yes); // search
    ui.queueAnswer(platform::MessageResult::Yes); // this one
    app.config().stationModel = 5;
    ui.onDialog("SETUP_STATION", [&](testsupport::FakeDialogView& v) {
        v.click(station::station_setup_dialog::kAutoDetect);
        v.click(platform::IdOk);
    });
    commands.execute(CmdStation);
    EXPECT_TRUE(opened("SETUP_STATION"));
    EXPECT_EQ(app.config().stationModel, 1);
    EXPECT_EQ(app.station().settings().modelCode, 1);
    ConfigRecord saved;
    ASSERT_EQ(loadConfig(saved, dir.path()), ConfigLoad::Loaded);
    EXPECT_EQ(saved.stationBaud, 2400);
}

} // namespace
} // namespace bv::app
