#include "app/shell/application.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/shell/command_table.h"
#include "app/shell/fake_main_view.h"
#include "app/shell/main_commands.h"
#include "app/shell/shell_actions.h"
#include "app/shell/units_dialog.h"
#include "publish/data_dialog.h"
#include "publish/internet_dialog.h"
#include "sim/station_simulator.h"
#include "station/download_dialog.h"
#include "support/memory_wire.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::app {
namespace {

class ApplicationTest : public testing::Test {
  protected:
    // Writes config.dat as a previous run of the program would have left it.
    void writeConfig(const std::function<void(ConfigRecord&)>& change)
    {
        ConfigRecord record;
        change(record);
        ASSERT_FALSE(saveConfig(record, dir.path()));
    }

    ConfigRecord savedConfig()
    {
        ConfigRecord record;
        EXPECT_EQ(loadConfig(record, dir.path()), ConfigLoad::Loaded);
        return record;
    }

    testsupport::TempDir dir{"bv-application"};
    testsupport::ScriptedUi ui;
    testsupport::VirtualTime time;
    Application app{ui, time, time, dir.path(), Edition::WithoutDialUp};
};

TEST_F(ApplicationTest, StartLoadsConfigDatAndTakesTheStationDirectory)
{
    writeConfig([](ConfigRecord& c) {
        c.ftpHost = "ftp.example.net";
        c.stationDir = "/somewhere/else";
        c.tempUnit = 1;
    });
    units::RegionalSettings regional;
    regional.clock24 = true;
    EXPECT_EQ(app.start({}, regional), ConfigLoad::Loaded);
    EXPECT_EQ(app.config().ftpHost, "ftp.example.net");
    EXPECT_EQ(app.config().stationDir, dir.path().string());
    EXPECT_EQ(app.regional(), regional);
    EXPECT_EQ(app.station().settings().units.temperature, units::TemperatureUnit::Celsius);
}

TEST_F(ApplicationTest, DisableSwitchStaysOffInTheFileSavedAtExit)
{
    writeConfig([](ConfigRecord& c) {
        c.internetTransferEnabled = true;
        c.localTransferEnabled = true;
        c.downloadEnabled = true;
        c.pageOnAlarm = true;
        c.pageWeather = true;
        c.loggerEnabled = true;
    });
    app.start({"-d"}, {});
    EXPECT_FALSE(app.shutdown());
    const ConfigRecord saved = savedConfig();
    EXPECT_FALSE(saved.internetTransferEnabled || saved.localTransferEnabled ||
                 saved.downloadEnabled || saved.pageOnAlarm || saved.pageWeather ||
                 saved.loggerEnabled);
}

TEST_F(ApplicationTest, ShutdownWithoutStartLeavesConfigDatAlone)
{
    EXPECT_FALSE(app.shutdown());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "config.dat"));
}

TEST_F(ApplicationTest, FirstRunSavesTheDefaultsAtExit)
{
    EXPECT_EQ(app.start({}, {}), ConfigLoad::Missing);
    EXPECT_FALSE(app.shutdown());
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "config.dat"), kConfigFileSize);
    EXPECT_FALSE(app.shutdown()); // a second shutdown does not write again
}

TEST_F(ApplicationTest, AFileThatCouldNotBeLoadedIsKeptAsideAtTheFirstSave)
{
    // A config.dat sent by FTP in text mode: one line feed became CR LF.
    const std::string unloadable(kConfigFileSize + 1, '\x01');
    const std::filesystem::path file = dir.path() / "config.dat";
    const std::filesystem::path kept = dir.path() / "config.dat.bad";
    std::ofstream(file, std::ios::binary) << unloadable;
    EXPECT_EQ(app.start({}, {}), ConfigLoad::WrongSize);
    EXPECT_FALSE(app.saveConfiguration());
    EXPECT_FALSE(app.saveConfiguration()); // the second save does not move the new file
    EXPECT_EQ(savedConfig(), app.config());
    std::ifstream in(kept, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), unloadable);
    std::ifstream log(dir.path() / "event.log");
    std::string line;
    std::getline(log, line);
    EXPECT_TRUE(line.ends_with(" config.dat could not be loaded; kept as config.dat.bad")) << line;
    EXPECT_FALSE(std::getline(log, line));
}

TEST_F(ApplicationTest, TimerOneDrivesTheSchedulerUntilShutdown)
{
    writeConfig([](ConfigRecord& c) {
        c.localTransferEnabled = true;
        c.transferIntervalSec = 60;
    });
    int transfers = 0;
    app.activities().transferCycle = [&transfers] { ++transfers; };
    app.start({}, {});

    time.advance(60'000);
    EXPECT_EQ(app.ticks(), 60);
    EXPECT_EQ(transfers, 0);
    time.advance(1'000);
    EXPECT_EQ(transfers, 1); // the 61st tick

    app.shutdown();
    time.advance(600'000);
    EXPECT_EQ(app.ticks(), 61);
    EXPECT_EQ(transfers, 1);
}

TEST_F(ApplicationTest, ClosedGateHoldsTimedTransfersAndUnpluggedActivitiesAreSkipped)
{
    writeConfig([](ConfigRecord& c) {
        c.internetTransferEnabled = true;
        c.transferIntervalSec = 10;
        c.downloadEnabled = true;
        c.downloadIntervalMin = 1;
    });
    int transfers = 0;
    app.activities().transferCycle = [&transfers] { ++transfers; };
    app.start({}, {});
    app.gate().setHeld(GateHolder::User, true);
    time.advance(120'000);
    EXPECT_EQ(transfers, 0);
    app.gate().setHeld(GateHolder::User, false);
    time.advance(1'000);
    EXPECT_EQ(transfers, 1);
    EXPECT_EQ(app.schedulerState().downloadTicks, 0); // the download ran (unplugged) and reset
}

TEST_F(ApplicationTest, EveryLoggedEventTellsTheUi)
{
    app.start({}, {});
    EXPECT_EQ(app.eventLog().logEvent(" started "), 0);
    EXPECT_EQ(app.eventLog().logEvent(" stopped "), 0);
    EXPECT_EQ(ui.eventLogChanges(), 2);
}

// Setup > Units runs the Units dialog through the settings launcher: the gate
// is closed while it is open, and OK saves config.dat.
TEST_F(ApplicationTest, UnitsCommandRunsTheDialogAndSavesOnOk)
{
    app.start({}, {});
    FakeMainView view;
    MainCommands commands(app, view);
    addShellActions(commands, app);
    EXPECT_TRUE(commands.menuEnabled(CmdUnits));
    EXPECT_TRUE(commands.menuEnabled(CmdAbout));

    bool gateDuringDialog = true;
    ui.onDialog("SETUP_UNITS", [this, &gateDuringDialog](testsupport::FakeDialogView& v) {
        gateDuringDialog = app.gate().allowed();
        v.click(units_dialog::kTemperatureButtons[1]);
        v.click(platform::IdOk);
    });
    commands.execute(40204); // Ctrl+U
    EXPECT_FALSE(gateDuringDialog);
    EXPECT_TRUE(app.gate().allowed());
    EXPECT_EQ(app.config().tempUnit, 1);
    EXPECT_EQ(app.station().settings().units.temperature, units::TemperatureUnit::Celsius);
    EXPECT_EQ(savedConfig().tempUnit, 1);
}

// Setup > Internet and Setup > Data save config.dat on OK; in hollit1 the
// Internet dialog connects through a local server whatever was stored.
TEST_F(ApplicationTest, InternetAndDataCommandsRunTheirDialogsAndSave)
{
    app.start({}, {});
    app.config().localServerConnection = false;
    FakeMainView view;
    MainCommands commands(app, view);
    addShellActions(commands, app);
    ui.onDialog("SETUP_FTP", [](testsupport::FakeDialogView& v) {
        EXPECT_FALSE(v.enabled(publish::internet_dialog::kDialUp));
        v.enterText(publish::internet_dialog::kRemotePath, "wx");
        v.click(platform::IdOk);
    });
    commands.execute(CmdInternet);
    EXPECT_EQ(savedConfig().ftpRemotePath, "wx");
    EXPECT_TRUE(savedConfig().localServerConnection);
    ui.onDialog("DATASETUP", [](testsupport::FakeDialogView& v) {
        v.enterText(publish::data_dialog::kExtension, "php");
        v.click(platform::IdOk);
    });
    commands.execute(CmdData);
    EXPECT_EQ(savedConfig().templateExtension, "php");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "files.dat"));
}

TEST_F(ApplicationTest, AboutCommandOpensTheAboutBox)
{
    app.start({}, {});
    FakeMainView view;
    MainCommands commands(app, view);
    addShellActions(commands, app);
    ui.onDialog("ABOUT", [](testsupport::FakeDialogView& v) { v.click(platform::IdOk); });
    commands.execute(CmdAbout);
    EXPECT_EQ(ui.openedDialogs(), std::vector<std::string>{"ABOUT"});
}

// Archive > Download and the timed download run the whole download on the
// configured station, with the gate closed while they run.
TEST_F(ApplicationTest, DownloadCommandAndTimedDownloadFetchTheArchive)
{
    sim::StationConfig station;
    station.model = *sim::findSimulatedModel("Carrow III");
    station.historyHours = 6;
    sim::StationSimulator simulator(station);
    testsupport::MemoryWire wire(time, simulator);
    Application withStation(
        ui, time, time, dir.path(), Edition::WithoutDialUp,
        {wire.factory(), [](int port) { return "COM" + std::to_string(port); }});
    writeConfig([](ConfigRecord& c) {
        c.stationModel = 1;
        c.downloadEnabled = true;
        c.downloadIntervalMin = 1;
        c.archiveOverwrite = true;
    });
    std::filesystem::create_directory(dir.path() / "Download");
    withStation.start({}, {});
    FakeMainView view;
    MainCommands commands(withStation, view);
    addShellActions(commands, withStation);
    ASSERT_TRUE(commands.menuEnabled(CmdDownload));

    bool gateOpen = true;
    int dialogs = 0;
    ui.onDialog("DOWNLOAD", [&](testsupport::FakeDialogView& v) {
        gateOpen = withStation.gate().allowed();
        ++dialogs;
        while (!v.ended()) {
            time.advance(100);
            v.fireTimer(station::download_dialog::kTimer);
        }
    });
    commands.execute(CmdDownload);
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(gateOpen);
    EXPECT_TRUE(withStation.gate().allowed());
    EXPECT_TRUE(ui.statusText().ends_with(" Transferred 12 records from Archive."))
        << ui.statusText();

    time.advance(61 * 1000); // the timed download, a minute on
    EXPECT_EQ(dialogs, 2);
    std::ifstream file(dir.path() / "Download" / "download.txt");
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 12);
    withStation.shutdown();
}

} // namespace
} // namespace bv::app
