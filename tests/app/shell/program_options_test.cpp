#include "app/shell/program_options.h"

#include <gtest/gtest.h>

namespace bv::app {
namespace {

TEST(ProgramOptions, ParsesTheSwitchesOfHollit)
{
    struct Case {
        std::vector<std::string> args;
        bool headless;
        std::string stationDir;
        bool disableAutomatic;
        bool error;
    };
    const Case cases[] = {
        {{}, false, "", false, false},
        {{"-d"}, false, "", true, false},
        {{"-D", "--headless"}, true, "", true, false},
        {{"--station-dir", "/srv/wx-d"}, false, "/srv/wx-d", false, false},
        {{"--station-dir=/srv/wx", "--headless"}, true, "/srv/wx", false, false},
        {{"--station-dir"}, false, "", false, true},
        {{"--station-dir="}, false, "", false, true},
        {{"-x"}, false, "", false, true},
        {{"--headlessly"}, false, "", false, true},
        {{"--report-startup", "-d"}, false, "", true, false},
        // "-d" counts as a whole argument only, never inside a path.
        {{"--station-dir", "-d"}, false, "-d", false, false},
    };
    for (const Case& c : cases) {
        const ProgramOptions options = parseProgramOptions(c.args);
        const std::string where = c.args.empty() ? "(none)" : c.args.front();
        EXPECT_EQ(options.headless, c.headless) << where;
        EXPECT_EQ(options.stationDir, c.stationDir) << where;
        EXPECT_EQ(options.disableAutomatic, c.disableAutomatic) << where;
        EXPECT_EQ(!options.error.empty(), c.error) << where;
        EXPECT_EQ(configurationSwitches(options),
                  c.disableAutomatic ? std::vector<std::string>{"-d"} : std::vector<std::string>{})
            << where;
    }
}

TEST(ProgramOptions, StartupReportIsAskedForByItsOption)
{
    EXPECT_TRUE(parseProgramOptions({"--report-startup"}).reportStartup);
    EXPECT_FALSE(parseProgramOptions({"-d"}).reportStartup);
}

TEST(ProgramOptions, TheTwoBuildsNameThemselves)
{
    EXPECT_EQ(programName(Edition::WithDialUp), "hollit");
    EXPECT_EQ(programName(Edition::WithoutDialUp), "hollit1");
    EXPECT_NE(versionText(Edition::WithDialUp).find("with dial-up"), std::string::npos);
    EXPECT_NE(versionText(Edition::WithoutDialUp).find("without dial-up"), std::string::npos);
    EXPECT_EQ(usageText(Edition::WithoutDialUp).rfind("Usage: hollit1 ", 0), 0u);
}

} // namespace
} // namespace bv::app
