#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/template_commands.h"
#include "command_rig.h"

namespace bv::cli::test {
namespace {

namespace fs = std::filesystem;

constexpr platform::WallTime kStart{2026, 6, 15, 9, 0, 0, 0, 1};

// viraraz convert and viraraz tags in process, against a simulated station on
// an in-memory wire, on virtual time.
class TemplateCommands : public CommandRig {
  protected:
    TemplateCommands() : CommandRig("bv-convert", kStart) {}

    void useStation(int modelCode) { CommandRig::useStation(stationOf(modelCode, kStart)); }

    std::string writeTemplate(const std::string& text)
    {
        const fs::path path = dir.path() / "page.htx";
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
};

TEST_F(TemplateCommands, ConvertPrintsThePageOfAClassicStation)
{
    useStation(1);
    const std::string page = writeTemplate("<p><!--DATE--> <!--soiltemp--> <!---->\r\n<!--x");
    ASSERT_EQ(runCommand(convertTemplateOn, {page}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "<p> 6-15-26 <!--soiltemp--> <!---->\n<!--x");
    EXPECT_TRUE(err.str().empty()) << err.str();
}

TEST_F(TemplateCommands, ConvertKeepsTheMarkersWhenTheStationIsSilent)
{
    useStation(5);
    simulator->faults().add(sim::FaultRule(sim::FaultKind::Silence).always());
    const std::string page = writeTemplate("<!--date--> <!--outtemp-->\n");
    EXPECT_EQ(runCommand(convertTemplateOn, {page}), kExitFailure);
    EXPECT_EQ(out.str(), "<!--date--> <!--outtemp-->\n");
    EXPECT_EQ(err.str(), "viraraz: Station Communication Error. Check station settings.\n");
}

TEST_F(TemplateCommands, ConvertRefusesWhatItCannotRead)
{
    useStation(1);
    EXPECT_EQ(runCommand(convertTemplateOn, {}), kExitUsage);
    const std::string usage = err.str();
    EXPECT_EQ(runCommand(convertTemplateOn, {(dir.path() / "none.htx").string()}), kExitFailure);
    EXPECT_EQ(usage + err.str(), "usage: viraraz convert TEMPLATE\nviraraz: cannot read template " +
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
        ASSERT_EQ(runCommand(listTagsOn, {}), kExitOk) << err.str();
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
