#include "app/shell/paging_feature.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/base/config_file.h"
#include "app/shell/application.h"
#include "paging/alarm_codes.h"
#include "paging/alarm_limits.h"
#include "paging/alarm_quantity.h"
#include "paging/pager_entry.h"
#include "paging/send_queue.h"
#include "sim/paging_service.h"
#include "sim/station_simulator.h"
#include "support/memory_wire.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::app {
namespace {

using paging::EntryKind;

std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

paging::PagerEntry entry(const char* name, EntryKind kind, const char* number)
{
    paging::PagerEntry e;
    e.name = name;
    e.kind = kind;
    e.number = number;
    e.beeps = kind == EntryKind::Telephone ? 2 : 0;
    return e;
}

sim::StationConfig ostrel()
{
    sim::StationConfig config;
    config.model = *sim::findSimulatedModel("Ostrel II");
    config.start = {2026, 12, 7, 9, 0, 0, 0, 1};
    return config;
}

// The pages of the queue, as "name: page line".
std::vector<std::string> queued(const std::filesystem::path& dir)
{
    std::vector<std::string> pages;
    paging::SendQueueReader reader(dir / paging::kSendQueueFileName, nullptr);
    while (const auto page = reader.next())
        pages.push_back(page->entry.name + ": " + page->pageLine);
    return pages;
}

class PagingFeatureTest : public testing::Test {
  protected:
    PagingFeatureTest()
    {
        ConfigRecord record;
        record.pageOnAlarm = true;
        record.alarmPageIntervalMin = 1;
        record.alarmRearmMin = 5;
        record.pagerComPort = 2;
        // Met by any reading of a December morning.
        paging::setAlarmLimit(record, paging::InsideTemp, paging::LimitSide::High, -40);
        paging::setAlarmLimit(record, paging::OutsideTemp, paging::LimitSide::Low, 150);
        EXPECT_FALSE(saveConfig(record, dir.path()));
        std::vector<std::string> lines;
        for (const auto& e :
             {entry("Num1", EntryKind::Numeric, "111"), entry("Num2", EntryKind::Numeric, "222"),
              entry("Phone", EntryKind::Telephone, "333"),
              entry("Alpha", EntryKind::AlphaNumeric, "444")})
            lines.push_back(paging::formatPagerLine(e));
        EXPECT_TRUE(paging::writePagerFile(dir.path() / paging::kPagerFileName, lines));
        paging::AlarmCodes codes;
        codes[paging::InsideTemp] = "10";
        codes[paging::OutsideTemp] = "11";
        EXPECT_TRUE(paging::writeAlarmCodes(dir.path() / paging::kAlarmCodesFileName, codes));
        app.start({}, {});
    }

    // The event-log lines holding text.
    int loggedLines(std::string_view text) const
    {
        const std::string log = readFile(dir.path() / kEventLogFileName);
        int n = 0;
        for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
            ++n;
        return n;
    }

    testsupport::TempDir dir{"bv-paging"};
    testsupport::ScriptedUi ui;
    testsupport::VirtualTime time;
    sim::StationSimulator station{ostrel()};
    testsupport::MemoryWire wire{time, station};
    sim::PagingService service;
    testsupport::MemoryWire modem{time, service};
    Application app{ui,
                    time,
                    time,
                    dir.path(),
                    Edition::WithoutDialUp,
                    {testsupport::routedFactory({{"COM1", &wire}, {"COM2", &modem}}),
                     [](int port) { return "COM" + std::to_string(port); }}};
    std::shared_ptr<PagingFeature> paging = plugPaging(app);
};

// Two numeric pagers, a telephone and an alphanumeric pager hear each alarm
// once; the next checks find the alarms latched until they are re-enabled.
TEST_F(PagingFeatureTest, AlarmPagesReachEveryEntryOnceUntilTheReenableTime)
{
    const auto heard = [this] {
        std::vector<std::string> calls;
        // A numeric page is "1*code*value*code*value*#": the values follow
        // the weather, so they read "V" here.
        for (const sim::ToneCall& call : service.toneCalls()) {
            std::string keyed;
            std::size_t field = 0;
            for (std::size_t at = 0; at != std::string::npos; ++field) {
                const std::size_t star = call.keyed.find('*', at);
                const bool value = field >= 2 && field % 2 == 0 && star != std::string::npos;
                keyed += value ? "V" : call.keyed.substr(at, star - at);
                if (star != std::string::npos)
                    keyed += '*';
                at = star == std::string::npos ? star : star + 1;
            }
            calls.push_back(call.number + ":" + keyed);
        }
        return calls;
    };
    time.advance(4 * 60'000); // the check of the first minute and its four pages
    // The numeric pagers get the inside and outside temperature alarms (codes
    // 10 and 11) after the pauses of their 6-second delay; the telephone
    // hears its beeps.
    const std::vector<std::string> round{"111:,,,1*10*V*11*V*#,,,", "222:,,,1*10*V*11*V*#,,,",
                                         "333:@,,,,11,11#,,"};
    EXPECT_EQ(heard(), round);
    ASSERT_EQ(service.pages().size(), 1u);
    EXPECT_TRUE(service.pages()[0].message.starts_with("1-Alarm 10  "))
        << service.pages()[0].message;
    EXPECT_EQ(loggedLines("sent to Numeric pager \"Num1\" ."), 1);
    EXPECT_EQ(loggedLines("sent to Numeric pager \"Num2\" ."), 1);
    EXPECT_EQ(loggedLines("Sent alarm to Telephone entry \"Phone\"."), 1);
    EXPECT_EQ(loggedLines("Following Pager string sent to Alphanumeric Pager \"Alpha\"."), 1);
    EXPECT_FALSE(paging->pagerStatus().running());
    EXPECT_TRUE(app.gate().allowed());

    // Sent at the first minute; each alphanumeric page counts a minute more,
    // so the alarms are armed again from five minutes on.
    time.advance(60'000);
    EXPECT_EQ(heard().size(), 3u);
    time.advance(3 * 60'000);
    std::vector<std::string> twice = round;
    twice.insert(twice.end(), round.begin(), round.end());
    EXPECT_EQ(heard(), twice);
    EXPECT_EQ(service.pages().size(), 2u);
    EXPECT_EQ(loggedLines("Following Pager string sent to Alphanumeric Pager \"Alpha\"."), 2);
}

TEST_F(PagingFeatureTest, AlarmRunQueuesEachPageOnceUntilTheReenableTime)
{
    paging->setSender(nullptr); // the queue each run writes stays to be read
    const std::filesystem::path queue = dir.path() / paging::kSendQueueFileName;
    time.advance(59'000);
    EXPECT_FALSE(std::filesystem::exists(queue));
    time.advance(10'000); // the check of the first minute
    const std::vector<std::string> first = queued(dir.path());
    ASSERT_EQ(first.size(), 4u) << readFile(queue);
    EXPECT_TRUE(first[0].starts_with("Num1: 1*10*")) << first[0];
    EXPECT_TRUE(first[0].ends_with("*#,,,;ATH0\r")) << first[0];
    EXPECT_TRUE(first[1].starts_with("Num2: 1*10*")) << first[1];
    EXPECT_EQ(first[2], "Phone: ATDT333@,,,,11,11#,,;ATH0\r");
    EXPECT_TRUE(first[3].starts_with("Alpha: 1-Alarm 10  ")) << first[3];
    EXPECT_NE(first[3].find(" 11  "), std::string::npos) << first[3];
    EXPECT_EQ(app.schedulerState().alarmRearm[paging::InsideTemp] / 60, 0);
    EXPECT_TRUE(app.gate().allowed());
    EXPECT_FALSE(wire.isOpen());

    // Latched: the checks of the next minutes page nothing.
    time.advance(3 * 60'000);
    EXPECT_TRUE(queued(dir.path()).empty());
    EXPECT_GT(wire.openCount(), 3);

    // Five minutes after the page the alarms are armed again.
    time.advance(3 * 60'000);
    EXPECT_EQ(queued(dir.path()).size(), 4u);
    EXPECT_EQ(readFile(dir.path() / kEventLogFileName), "");
}

TEST_F(PagingFeatureTest, SilentStationIsPagedOncePerReenablePeriod)
{
    paging->setSender(nullptr);
    station.faults().add(sim::FaultRule(sim::FaultKind::Silence).on("LOOP").always());
    time.advance(70'000);
    EXPECT_EQ(
        queued(dir.path()),
        (std::vector<std::string>{"Num1: 99999999#,,,;ATH0\r", "Num2: 99999999#,,,;ATH0\r",
                                  "Phone: ATDT333@,,,,22,22#,,;ATH0\r", "Alpha: Station Error."}));
    EXPECT_NE(readFile(dir.path() / kEventLogFileName)
                  .find("Station Communication Error. Check station settings."),
              std::string::npos);
    time.advance(60'000);
    EXPECT_TRUE(queued(dir.path()).empty());
}

} // namespace
} // namespace bv::app
