#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "app/base/dialog_host.h"
#include "app/base/event_log.h"
#include "platform/linux/spawned_process.h"
#include "publish/fake_pppd.h"
#include "publish/ppp_dialer.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/text_files.h"
#include "support/virtual_time.h"
#include "units/regional_settings.h"

namespace bv::publish {
namespace {

namespace fs = std::filesystem;
using testsupport::readText;
using testsupport::writeText;

TEST(PppLine, ReadsStatesAndErrorsFromPppdsLog)
{
    const struct {
        const char* line;
        std::optional<DialState> state;
        bool error;
    } rows[] = {
        {"Serial connection established.", DialState::Authenticating, false},
        {"Connect: ppp0 <--> /dev/ttyS0", DialState::Authenticating, false},
        {"local  IP address 10.64.64.64", DialState::Connected, false},
        {"BUSY", DialState::LineBusy, false},
        {"PAP authentication failed", std::nullopt, true},
        {"Connect script failed", std::nullopt, true},
        {"remote IP address 10.1.1.1", std::nullopt, false},
    };
    for (const auto& row : rows) {
        const DialUpdate update = interpretPppLine(row.line);
        EXPECT_EQ(update.state, row.state) << row.line;
        EXPECT_EQ(update.error, row.error ? std::string("pppd: ") + row.line : "") << row.line;
    }
}

class PppDialerTest : public ::testing::Test {
  protected:
    PppDialerTest()
    {
        config.dialupEntry = "isp";
        config.dialupUser = "weather";
        config.dialupPassword = "s3cret pass";
        config.dialAttempts = 3;
        config.dialRetryWaitSec = 5;
    }

    // Dials with the scenarios in order (see answerDialDialogs).
    int dial(const std::string& scenarios)
    {
        writeText(dir.path() / "scenarios", scenarios);
        publishtest::answerDialDialogs(ui, &statuses);
        return dialer.runDial(config);
    }

    bool statusShown(const std::string& text) const
    {
        return std::find(statuses.begin(), statuses.end(), text) != statuses.end();
    }

    testsupport::TempDir dir;
    PppPlaces places = publishtest::installFakePppd(dir.path());
    app::ConfigRecord config;
    testsupport::ScriptedUi ui;
    testsupport::VirtualTime time;
    units::RegionalSettings regional;
    app::EventLog log{dir.path(), time, regional};
    app::DialogHost host{ui};
    platform::SpawningStarter starter;
    PppDialer dialer{starter, host, log, time, places};
    std::vector<std::string> statuses;
};

TEST_F(PppDialerTest, ConnectsHandingThePasswordOverAPipeAndKeepsTheLinkUntilHungUp)
{
    EXPECT_EQ(dialer.phonebookEntries(), std::vector<std::string>{"isp"});
    EXPECT_FALSE(dialer.connectionActive("isp"));
    EXPECT_EQ(dial("connect\n"), dial_dialog::kConnected);
    EXPECT_TRUE(statusShown("Dialing"));
    EXPECT_TRUE(statusShown("Verifying Username and Password"));
    EXPECT_EQ(readText(dir.path() / "passwords"), "s3cret pass\n");
    const std::string args = readText(dir.path() / "args");
    EXPECT_EQ(args, "call\nisp\nnodetach\nlogfd\n1\nlinkname\nisp\nuser\nweather\nplugin\n"
                    "passwordfd.so\npasswordfd\n3\n");
    EXPECT_EQ(args.find("s3cret"), std::string::npos);
    EXPECT_TRUE(dialer.connectionActive("isp"));
    EXPECT_TRUE(dialer.hangUp("isp"));
    EXPECT_FALSE(dialer.connectionActive("isp"));
}

TEST_F(PppDialerTest, RedialsABusyLineAndGivesUpAfterTheLastAttempt)
{
    EXPECT_EQ(dial("busy\n"), dial_dialog::kAborted);
    EXPECT_EQ(readText(dir.path() / "passwords"), "s3cret pass\ns3cret pass\ns3cret pass\n");
    EXPECT_TRUE(statusShown("Waiting to redial.... 2'nd attempt (of 3) in 5 seconds."));
    EXPECT_TRUE(statusShown("Waiting to redial.... 3'rd attempt (of 3) in 2 seconds."));
}

TEST_F(PppDialerTest, ABusyLineThatClearsConnectsOnTheNextAttempt)
{
    EXPECT_EQ(dial("busy\nconnect\n"), dial_dialog::kConnected);
    EXPECT_TRUE(dialer.hangUp("isp"));
}

TEST_F(PppDialerTest, FailedAuthenticationIsLoggedAndFails)
{
    EXPECT_EQ(dial("auth\n"), dial_dialog::kFailed);
    EXPECT_TRUE(statusShown("Verifying Username and Password"));
    EXPECT_NE(readText(log.path()).find("pppd: PAP authentication failed"), std::string::npos);
}

TEST_F(PppDialerTest, TheThreeMinuteLimitEndsAPermanentlyBusyLine)
{
    config.dialAttempts = 10;
    config.dialRetryWaitSec = 60;
    EXPECT_EQ(dial("busy\n"), dial_dialog::kFailed);
    // Dials at 0 and about 60 and 120 seconds (180 when pppd gives up at
    // once): the limit ends the dialog long before the tenth attempt.
    const std::string passwords = readText(dir.path() / "passwords");
    const auto dials = std::count(passwords.begin(), passwords.end(), '\n');
    EXPECT_GE(dials, 3);
    EXPECT_LE(dials, 4);
}

TEST_F(PppDialerTest, HangUpEndsTheEntrysLinkOfAnotherRunButNoStranger)
{
    writeText(dir.path() / "scenarios", "connect\n");
    std::error_code error;
    std::unique_ptr<platform::ChildProcess> other =
        starter.start({places.pppd.string(), "call", "isp"}, {}, error);
    ASSERT_TRUE(other);
    for (int i = 0; i < 200 && readText(dir.path() / "pid").empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const pid_t pid = static_cast<pid_t>(std::stoi("0" + readText(dir.path() / "pid")));
    ASSERT_NE(pid, 0);
    writeText(places.runDir / "ppp-isp.pid", std::to_string(::getpid()) + "\n");
    EXPECT_FALSE(dialer.hangUp("isp")) << "the pid file names this test, not a pppd";
    writeText(places.runDir / "ppp-isp.pid", std::to_string(pid) + "\nppp0\n");
    EXPECT_TRUE(dialer.hangUp("isp"));
    EXPECT_FALSE(other->running());
}

TEST_F(PppDialerTest, AnotherLinkMeansNoDial)
{
    writeText(places.runDir / "ppp-isp.pid", "4242\n");
    EXPECT_TRUE(dialer.connectionActive("isp"));
    fs::remove(places.runDir / "ppp-isp.pid");
    fs::create_directory(places.interfacesDir / "ppp0");
    EXPECT_TRUE(dialer.connectionActive("isp"));
}

} // namespace
} // namespace bv::publish
