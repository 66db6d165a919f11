#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/base/config_file.h"
#include "cli/template_commands.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"
#include "support/memory_wire.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::cli::test {
namespace {

namespace fs = std::filesystem;

constexpr platform::WallTime kStart{2026, 6, 15, 9, 0, 0, 0, 1};

// viraraz convert and viraraz tags in process, against a simulated station on
// an in-memory wire, on virtual time.
class TemplateCommands : public ::testing::Test {
  protected:
    void useStation(int modelCode)
    {
        config.stationModel = static_cast<std::int8_t>(modelCode);
        sim::StationConfig station;
        station.model = *sim::simulatedModelByCode(modelCode);
        station.start = kStart;
        simulator = std::make_unique<sim::StationSimulator>(station);
        wire = std::make_unique<testsupport::MemoryWire>(time, *simulator);
    }

    int run(int (*command)(CommandContext&, PollEnvironment&), std::vector<std::string> args)
    {
        EXPECT_FALSE(app::saveConfig(config, dir.path()));
        CommandContext context{dir.path(), std::move(args), out, err};
        PollEnvironment environment{time, time, wire->factory(), {}};
        return command(context, environment);
    }

    std::string writeTemplate(const std::string& text)
    {
        const fs::path path = dir.path() / "page.htx";
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    testsupport::TempDir dir{"bv-convert"};
    testsupport::VirtualTime time{kStart};
    app::ConfigRecord config;
    std::unique_ptr<sim::StationSimulator> simulator;
    std::unique_ptr<testsupport::MemoryWire> wire;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(TemplateCommands, ConvertPrintsThePageOfAClassicStation)
{
    useStation(1);
    const std::string page = writeTemplate("<p><!--DATE--> <!--soiltemp--> <!---->\r\n<!--x");
    ASSERT_EQ(run(convertTemplateOn, {page}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "<p> 6-15-26 <!--soiltemp--> <!---->\n<!--x");
    EXPECT_TRUE(err.str().empty()) << err.str();
}

TEST_F(TemplateCommands, ConvertKeepsTheMarkersWhenTheStationIsSilent)
{
    useStation(5);
    simulator->faults().add(sim::FaultRule(sim::FaultKind::Silence).always());
    const std::string page = writeTemplate("<!--date--> <!--outtemp-->\n");
    EXPECT_EQ(run(convertTemplateOn, {page}), kExitFailure);
    EXPECT_EQ(out.str(), "<!--date--> <!--outtemp-->\n");
    EXPECT_EQ(err.str(), "viraraz: Station Communication Error. Check station settings.\n");
}

TEST_F(TemplateCommands, ConvertRefusesWhatItCannotRead)
{
    useStation(1);
    EXPECT_EQ(run(convertTemplateOn, {}), kExitUsage);
    EXPECT_EQ(run(convertTemplateOn, {(dir.path() / "none.htx").string()}), kExitFailure);
    EXPECT_EQ(err.str(), "usage: viraraz convert TEMPLATE\nviraraz: cannot read template " +
                             (dir.path() / "none.htx").string() + '\n');
}

TEST_F(TemplateCommands, TagsListsEveryMarkerOfTheFamilyWithItsValue)
{
    struct Case {
        int model;
        std::size_t markers;
        std::string present;
        std::string absent;
    };
    for (const Case& c : {Case{1, 47, "<!--intemp-->", "<!--soiltemp-->"},
                          Case{5, 58, "<!--soiltemp-->", "<!--intemp-->"}}) {
        useStation(c.model);
        out.str("");
        ASSERT_EQ(run(listTagsOn, {}), kExitOk) << err.str();
        std::istringstream lines(out.str());
        std::size_t count = 0;
        for (std::string line; std::getline(lines, line); ++count)
            EXPECT_EQ(line.find("<!--"), 0U) << line;
        EXPECT_EQ(count, c.markers);
        EXPECT_NE(out.str().find("<!--date-->                 6-15-26\n"), std::string::npos)
            << out.str();
        EXPECT_NE(out.str().find(c.present), std::string::npos);
        EXPECT_EQ(out.str().find(c.absent), std::string::npos);
    }
}

} // namespace
} // namespace bv::cli::test
