#include "publish/dial_up.h"

#include <fstream>

#include <gtest/gtest.h>

#include "app/base/event_log.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::publish {
namespace {

class ScriptedDialer final : public Dialer {
  public:
    std::vector<std::string> phonebookEntries() const override { return {"isp"}; }
    bool connectionActive(const std::string&) override { return active; }
    int runDial(const app::ConfigRecord&) override { return ++dials, result; }
    bool hangUp(const std::string&) override { return ++hangUps, true; }

    bool active = false;
    int result = 1;
    int dials = 0;
    int hangUps = 0;
};

std::string lastLogLine(const std::filesystem::path& log)
{
    std::ifstream in(log);
    std::string line;
    std::getline(in, line); // the newest line comes first
    return line;
}

TEST(DialUp, EveryDialerResultMapsToOneOutcomeAndOneLogLine)
{
    struct Case {
        const char* entry;
        bool active;
        int dialResult;
        DialResult expected;
        const char* logged; // the end of the newest event-log line, "" for none
        int hangUps;
        std::int64_t pauseMs;
    };
    const Case cases[] = {
        {"isp", false, 1, DialResult::Connected, " Connection established by Dialup. ", 0, 0},
        {"isp", true, -2, DialResult::Connected, "", 0, 0},
        {"isp", false, -1, DialResult::Failed, " Dialup aborted by user. ", 0, 3000},
        {"isp", false, -2, DialResult::Failed, " Error in connecting. Check your Dial-up settings.",
         1, 3000},
        {"isp", false, 7, DialResult::Failed,
         " Dial-up ended with the unknown result 7; the connection is not used. ", 1, 0},
        {"isp", false, 0, DialResult::Failed,
         " Dial-up ended with the unknown result 0; the connection is not used. ", 1, 0},
        {"  ", false, 1, DialResult::UnusableEntry, "Dial-up failed. Invalid Dial-Up entry.", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dialResult) + " '" + c.entry + "'");
        testsupport::TempDir dir;
        testsupport::VirtualTime time;
        units::RegionalSettings regional;
        app::EventLog log(dir.path(), time, regional);
        ScriptedDialer dialer;
        dialer.active = c.active;
        dialer.result = c.dialResult;
        app::ConfigRecord config;
        config.dialupEntry = c.entry;
        DialerDialUp dialUp(dialer, log, time);

        EXPECT_EQ(dialUp.dialUp(config), c.expected);
        EXPECT_EQ(dialer.hangUps, c.hangUps);
        EXPECT_EQ(time.monotonicMs(), c.pauseMs);
        const std::string line = lastLogLine(log.path());
        EXPECT_TRUE(line.ends_with(c.logged)) << line;
        if (*c.logged == '\0') {
            EXPECT_EQ(line, "");
        }
    }
}

TEST(DialUp, WithoutDialUpConnectsAtOnceAndHangsUpTheStationLink)
{
    int closed = 0;
    WithoutDialUp dialUp([&closed] { ++closed; });
    app::ConfigRecord config;
    EXPECT_EQ(dialUp.dialUp(config), DialResult::Connected);
    EXPECT_TRUE(dialUp.phonebookEntries().empty());
    EXPECT_TRUE(dialUp.hangUp(config));
    EXPECT_EQ(closed, 1);
}

} // namespace
} // namespace bv::publish
