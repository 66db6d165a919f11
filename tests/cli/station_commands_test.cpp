#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/base/config_file.h"
#include "cli/detect_command.h"
#include "cli/station_settings_commands.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"
#include "station/archive_settings.h"
#include "station/link_rig.h"
#include "support/memory_wire.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

// The station commands of viraraz in process, on virtual time, against a
// simulated station on an in-memory wire.
namespace bv::cli::test {
namespace {

class StationCommands : public ::testing::Test {
  protected:
    // A station of the model on port 3 at baud; every other port is missing.
    void useStation(const char* model, int baud)
    {
        sim::StationConfig c;
        c.model = *sim::findSimulatedModel(model);
        c.baud = baud;
        station = std::make_unique<sim::StationSimulator>(c);
        wire = std::make_unique<testsupport::MemoryWire>(time, *station);
        std::filesystem::create_directories(dir.path() / "ports");
        std::error_code exists;
        std::filesystem::create_symlink("/dev/pts/99", portPath(), exists);
    }

    int run(int (*command)(CommandContext&, PollEnvironment&), std::vector<std::string> args = {})
    {
        EXPECT_FALSE(app::saveConfig(config, dir.path()));
        out.str("");
        err.str("");
        CommandContext context{dir.path(), std::move(args), out, err};
        PollEnvironment environment{
            time, time, testsupport::routedFactory({{portPath(), wire.get()}}), {}};
        const int status = command(context, environment);
        EXPECT_EQ(app::loadConfig(config, dir.path()), app::ConfigLoad::Loaded);
        return status;
    }
    std::string portPath() const { return (dir.path() / "ports" / "COM3").string(); }

    testsupport::TempDir dir{"bv-station-commands"};
    testsupport::VirtualTime time;
    app::ConfigRecord config;
    std::unique_ptr<sim::StationSimulator> station;
    std::unique_ptr<testsupport::MemoryWire> wire;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(StationCommands, DetectStoresThePortTheRateThatAnsweredAndTheModel)
{
    struct Case {
        const char* model;
        int baud;
        int code;
    };
    for (const Case c : {Case{"Carrow III", 1200, 1}, Case{"Tirrel E", 2400, 5}}) {
        SCOPED_TRACE(c.model);
        useStation(c.model, c.baud);
        config = {};
        ASSERT_EQ(run(detectStation), kExitOk) << err.str();
        EXPECT_EQ(config.stationComPort, 3);
        EXPECT_EQ(config.stationBaud, c.baud);
        EXPECT_EQ(config.stationModel, c.code);
    }
    EXPECT_EQ(out.str(), "Tirrel E on COM3 at 2400 baud, stored in config.dat\n");
}

TEST_F(StationCommands, DetectFailsWithoutAStationAndRefusesAModem)
{
    useStation("Lunett", 2400);
    station->faults().add(sim::FaultRule(sim::FaultKind::Silence).always());
    EXPECT_EQ(run(detectStation), kExitFailure);
    EXPECT_EQ(err.str(), "viraraz: No more stations found.\n");

    config.stationViaModem = true;
    EXPECT_EQ(run(detectStation), kExitFailure);
    EXPECT_EQ(err.str(),
              "viraraz: Autodetect works only with stations connected directly to the com port.\n");
    EXPECT_EQ(wire->openCount(), 4) << "COM3 at two rates, each with the Tirrel E's try";
}

// A Carrow III on COM3 at 2400 baud, configured.
class SettingsCommands : public StationCommands {
  protected:
    SettingsCommands()
    {
        useStation("Carrow III", 2400);
        config.stationComPort = 3;
        config.stationModel = 1;
    }
    std::vector<std::string> wordsHeard() const
    {
        std::vector<std::string> words;
        for (const sim::ReceivedCommand& c : station->received())
            words.push_back(c.word);
        return words;
    }
};

TEST_F(SettingsCommands, SetTimeTakesADateAndTimeOrThePcs)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        int month, day, hour, minute; // the station's clock afterwards
    };
    const Case cases[] = {
        {{"2026-03-09", "14:37"}, kExitOk, 3, 9, 14, 37},
        {{"2026-11-30 06:05"}, kExitOk, 11, 30, 6, 5},
        {{}, kExitOk, 12, 7, 9, 0}, // the virtual PC clock
        {{"2026-02-30", "10:00"}, kExitUsage, 6, 15, 9, 0},
        {{"2026-03-09", "24:00"}, kExitUsage, 6, 15, 9, 0},
        {{"tomorrow"}, kExitUsage, 6, 15, 9, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "now" : c.args[0]);
        useStation("Carrow III", 2400);
        EXPECT_EQ(run(setStationTimeCommand, c.args), c.status) << err.str();
        const platform::WallTime t = station->station().stationTime();
        EXPECT_EQ(std::vector<int>({t.month, t.day, t.hour, t.minute}),
                  std::vector<int>({c.month, c.day, c.hour, c.minute}));
    }
}

TEST_F(SettingsCommands, ArchiveIntervalAndClearReportAsTheDialogsDo)
{
    EXPECT_EQ(run(setArchiveIntervalCommand, {"20"}), kExitUsage);
    EXPECT_TRUE(station->received().empty());
    EXPECT_EQ(run(setArchiveIntervalCommand, {"15"}), kExitOk) << err.str();
    EXPECT_EQ(err.str(), "viraraz: This operation will clear the Archive Memory.\n");
    EXPECT_EQ(station->station().loggerMemory().value({1, 60, 2}), 15u);

    EXPECT_EQ(run(clearArchiveCommand), kExitOk);
    EXPECT_EQ(err.str(), "viraraz: Archive Memory cleared.\n");

    station->faults().add(sim::FaultRule(sim::FaultKind::Silence).on("SRD").always());
    EXPECT_EQ(run(clearArchiveCommand), kExitFailure);
    EXPECT_EQ(err.str(), "viraraz: Error clearing Archive Memory.\n"
                         "viraraz: Station Communication Error. Check station settings.\n");
    EXPECT_EQ(wordsHeard().back(), "EBT");
}

} // namespace
} // namespace bv::cli::test
