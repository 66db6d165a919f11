#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/page_command.h"
#include "command_rig.h"
#include "paging/alarm_codes.h"
#include "paging/alarm_limits.h"
#include "paging/alarm_quantity.h"
#include "paging/pager_entry.h"

namespace bv::cli::test {
namespace {

// viraraz page in process, against the simulated station on virtual time.
class PageCommand : public CommandRig {
  protected:
    PageCommand() : CommandRig("bv-page", testsupport::VirtualTime::kDefaultStart)
    {
        useStation(stationOf(1, testsupport::VirtualTime::kDefaultStart)); // a Carrow III
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

    int page(std::vector<std::string> args) { return runCommand(pageStation, std::move(args)); }
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
    for (const auto& received : simulator->received())
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
