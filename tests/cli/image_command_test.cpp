#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/base/config_file.h"
#include "cli/image_command.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"
#include "support/memory_wire.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::cli::test {
namespace {

namespace fs = std::filesystem;

// viraraz image in process: the simulated station on an in-memory wire,
// virtual time.
class ImageCommand : public ::testing::Test {
  protected:
    void useStation(int modelCode, sim::MissingSensors missing = {})
    {
        config.stationModel = static_cast<std::int8_t>(modelCode);
        sim::StationConfig station;
        station.model = *sim::simulatedModelByCode(modelCode);
        station.start = {2026, 6, 15, 14, 0, 0, 0, 1};
        station.missing = missing;
        simulator = std::make_unique<sim::StationSimulator>(station);
        wire = std::make_unique<testsupport::MemoryWire>(time, *simulator);
    }

    int run(std::vector<std::string> args)
    {
        EXPECT_FALSE(app::saveConfig(config, dir.path()));
        out.str("");
        err.str("");
        CommandContext context{dir.path(), std::move(args), out, err};
        PollEnvironment environment{time, time, wire->factory(), {}};
        return makeCurrentImages(context, environment);
    }

    testsupport::TempDir dir{"bv-image"};
    testsupport::VirtualTime time;
    app::ConfigRecord config;
    std::unique_ptr<sim::StationSimulator> simulator;
    std::unique_ptr<testsupport::MemoryWire> wire;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ImageCommand, PollsOnceAndWritesTheImagesWithTheDaysHighs)
{
    useStation(0);
    config.imageHighsLows = true;
    config.rainCollector = 2;
    ASSERT_EQ(run({"1"}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), (dir.path() / "Images" / "outtemp.gif").string() + "\n");
    EXPECT_GT(fs::file_size(dir.path() / "Images" / "outtemp.gif"), 0u);

    // Every image of a station with all its sensors, highs and lows marked.
    ASSERT_EQ(run({"all"}), kExitOk) << err.str();
    const std::string printed = out.str();
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 12);
}

TEST_F(ImageCommand, AMissingSensorAndASilentStationFail)
{
    sim::MissingSensors missing;
    missing.set(static_cast<std::size_t>(sim::Reading::OutsideTemp));
    useStation(0, missing);
    EXPECT_EQ(run({"1"}), kExitFailure);
    EXPECT_EQ(err.str(), "viraraz: Error creating Outside Temp image. Check Sensors.\n");
    EXPECT_FALSE(fs::exists(dir.path() / "Images" / "outtemp.gif"));

    simulator->faults().add(sim::FaultRule(sim::FaultKind::Silence).always());
    EXPECT_EQ(run({"5"}), kExitFailure);
    EXPECT_EQ(err.str(), "viraraz: Station Communication Error. Check station settings.\n");
    EXPECT_EQ(run({"12"}), kExitUsage);
}

} // namespace
} // namespace bv::cli::test
