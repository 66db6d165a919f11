#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/base/config_file.h"
#include "cli/detect_command.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"
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
            time,
            time,
            [this] { return std::make_unique<station::testing::OnePort>(*wire, portPath()); },
            {}};
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

} // namespace
} // namespace bv::cli::test
