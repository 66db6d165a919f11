#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/base/config_file.h"
#include "cli/command.h"
#include "cli/poll_command.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"
#include "support/memory_wire.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::cli::test {

// A viraraz command in process: a station directory with config.dat, the
// simulated station on an in-memory wire, virtual time.
class CommandRig : public ::testing::Test {
  protected:
    using Command = int (*)(CommandContext&, PollEnvironment&);

    CommandRig(std::string_view dirPrefix, platform::WallTime start) : dir(dirPrefix), time(start)
    {
    }

    // A simulated station of the model that config.dat will name.
    static sim::StationConfig stationOf(int modelCode, platform::WallTime start)
    {
        sim::StationConfig station;
        station.model = *sim::simulatedModelByCode(modelCode);
        station.start = start;
        return station;
    }

    // Puts the station on the wire and names its model in config.dat.
    void useStation(const sim::StationConfig& station)
    {
        config.stationModel = static_cast<std::int8_t>(station.model.modelCode);
        simulator = std::make_unique<sim::StationSimulator>(station);
        wire = std::make_unique<testsupport::MemoryWire>(time, *simulator);
    }

    // Saves config.dat and runs command with fresh out and err.
    int runCommand(Command command, std::vector<std::string> args, bool terminal = false)
    {
        EXPECT_FALSE(app::saveConfig(config, dir.path()));
        out.str("");
        err.str("");
        CommandContext context{dir.path(), std::move(args), out, err};
        PollEnvironment environment{time, time, wire->factory(), {}, terminal};
        return command(context, environment);
    }

    testsupport::TempDir dir;
    testsupport::VirtualTime time;
    app::ConfigRecord config;
    std::unique_ptr<sim::StationSimulator> simulator;
    std::unique_ptr<testsupport::MemoryWire> wire;
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace bv::cli::test
