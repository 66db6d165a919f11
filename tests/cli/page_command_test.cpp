#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/base/config_file.h"
#include "cli/page_command.h"
#include "paging/alarm_codes.h"
#include "paging/alarm_limits.h"
#include "paging/alarm_quantity.h"
#include "paging/pager_entry.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"
#include "support/memory_wire.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::cli::test {
namespace {

sim::StationConfig carrowIII()
{
    sim::StationConfig config;
    config.model = *sim::simulatedModelByCode(1);
    config.start = {2026, 12, 7, 9, 0, 0, 0, 1};
    return config;
}

// viraraz page in process, against the simulated station on virtual time.
class PageCommand : public ::testing::Test {
  protected:
    PageCommand()
    {
        config.stationModel = 1;
        config.weatherPageItems[paging::InsideTemp] = true;
        config.weatherPageItems[paging::WindDirection] = true;
        paging::setAlarmLimit(config, paging::WindSpeed, paging::LimitSide::High, 0);
        paging::PagerEntry alpha;
        alpha.name = "Alpha";
        alpha.kind = paging::EntryKind::AlphaNumeric;
        EXPECT_TRUE(paging::writePagerFile(dir.path() / paging::kPagerFileName,
                                           {paging::formatPagerLine(alpha)}));
        paging::AlarmCodes codes;
        codes[paging::WindSpeed] = "WIND";
        EXPECT_TRUE(paging::writeAlarmCodes(dir.path() / paging::kAlarmCodesFileName, codes));
    }

    int page(std::vector<std::string> args)
    {
        EXPECT_FALSE(app::saveConfig(config, dir.path()));
        out.str("");
        err.str("");
        CommandContext context{dir.path(), std::move(args), out, err};
        PollEnvironment environment{time, time, wire.factory(), {}};
        return pageStation(context, environment);
    }

    testsupport::TempDir dir{"bv-page"};
    testsupport::VirtualTime time;
    sim::StationSimulator station{carrowIII()};
    testsupport::MemoryWire wire{time, station};
    app::ConfigRecord config;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(PageCommand, PrintsTheQueuedPagesAndSendsNothing)
{
    EXPECT_EQ(page({"--dry-run", "--weather", "--alarms"}), kExitOk) << err.str();
    std::istringstream lines(out.str());
    std::string weather, alarm, summary;
    std::getline(lines, weather);
    std::getline(lines, alarm);
    std::getline(lines, summary);
    EXPECT_TRUE(weather.starts_with("Alpha (AlphaNumeric Pager): 0- Weather ")) << weather;
    EXPECT_EQ(std::count(weather.begin(), weather.end(), ' '), 7) << "two values: " << weather;
    EXPECT_TRUE(alarm.starts_with("Alpha (AlphaNumeric Pager): 1-Alarm WIND  ")) << alarm;
    EXPECT_EQ(summary, "2 pages queued; nothing sent (dry run)");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "sendpages.dat"));
    for (const auto& received : station.received())
        EXPECT_NE(received.word, "WWR") << "a dry run leaves the high wind speed alone";
}

TEST_F(PageCommand, RefusesAnUnknownArgumentOrPagingOff)
{
    EXPECT_EQ(page({"--weather", "--now"}), kExitUsage);
    EXPECT_EQ(err.str(), "usage: viraraz page [--dry-run] [--weather] [--alarms]\n");
    EXPECT_EQ(page({"--dry-run"}), kExitFailure);
    EXPECT_NE(err.str().find("give --weather or --alarms"), std::string::npos);
}

} // namespace
} // namespace bv::cli::test
