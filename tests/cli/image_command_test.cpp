#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/image_command.h"
#include "command_rig.h"

namespace bv::cli::test {
namespace {

namespace fs = std::filesystem;

// viraraz image in process: the simulated station on an in-memory wire,
// virtual time.
class ImageCommand : public CommandRig {
  protected:
    ImageCommand() : CommandRig("bv-image", testsupport::VirtualTime::kDefaultStart) {}

    void useStation(int modelCode, sim::MissingSensors missing = {})
    {
        sim::StationConfig station = stationOf(modelCode, {2026, 6, 15, 14, 0, 0, 0, 1});
        station.missing = missing;
        CommandRig::useStation(station);
    }

    int run(std::vector<std::string> args)
    {
        return runCommand(makeCurrentImages, std::move(args));
    }
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
