#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/base/config_file.h"
#include "paging/alarm_limits.h"
#include "paging/alarm_quantity.h"
#include "run_viraraz.h"
#include "simulator_process.h"
#include "support/temp_dir.h"

namespace bv::cli::test {
namespace {

// pager.dat lines as the entry dialog writes them: name, five tabs, kind,
// delay after connection, beeps, number, access number, the advanced bytes
// (protocol, baud, interval, quiet answer), delay after access number.
// Bob: a numeric pager behind access number 77; 3 s after connection and 2 s
// after the access number are one pause (",") per started 2 seconds: ",," and ",".
constexpr std::string_view kNumericEntry =
    "Bob\t\t\t\t\t0\t3\t0\t5551234\t77\t\x01\x02\x01\x02\t2\t\n";
// Pat: an alphanumeric pager, ID 1234, Automatic (TAP) at 1200 baud.
constexpr std::string_view kAlphaEntry =
    "Pat\t\t\t\t\t1\t6\t0\t5550000\t1234\t\x02\x02\x01\x02\t2\t\n";
constexpr std::string_view kNumericDial =
    "atdt5551234,,77,;"; // ";" keeps the modem in command mode

std::vector<std::string> linesOf(const std::filesystem::path& file)
{
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// viraraz page as a user runs it, against peers on pseudo-terminals: the
// station of `viraraz simulate` on COM1 (or a line nobody answers) and, on
// COM2, tests/paging/modem_peer.py, a modem and TAP terminal written apart
// from the program that logs each dial command and each block it checked.
class PageThroughPeers : public ::testing::Test {
  protected:
    void SetUp() override
    {
        app::ConfigRecord config;
        config.tempUnit = 1; // Celsius: the January dawn below is below freezing
        config.pagerComPort = 2;
        paging::setAlarmLimit(config, paging::OutsideTemp, paging::LimitSide::High, -40);
        ASSERT_FALSE(app::saveConfig(config, dir.path()));
        std::ofstream codes(dir.path() / "alarm.dat");
        codes << "\n21\n" << std::string(11, '\n'); // Outside Temp's code on line 2 of 13
        std::filesystem::create_directories(dir.path() / "ports");
    }

    void writePagers(std::string_view lines)
    {
        std::ofstream(dir.path() / "pager.dat", std::ios::binary) << lines;
    }

    ChildProcess startModem()
    {
        return ChildProcess("python3",
                            {MODEM_PEER_SCRIPT, "--dials", (dir.path() / "dials.txt").string(),
                             "--pages", (dir.path() / "pages.txt").string(), "--tap-number",
                             "5550000", "--link", (dir.path() / "ports" / "COM2").string()},
                            "/dev/null", dir.path() / "modem.err");
    }

    testsupport::TempDir dir{"bv-page-peers"};
};

TEST_F(PageThroughPeers, AlarmPagesReachTheNumericPagerAndTheTapTerminal)
{
    writePagers(std::string(kNumericEntry) + std::string(kAlphaEntry));
    Simulator station(dir.path(), {"--start", "2026-01-20 06:00"});
    const ChildProcess modem = startModem();
    ASSERT_TRUE(ChildProcess::awaitLink(dir.path() / "ports" / "COM1"));
    ASSERT_TRUE(ChildProcess::awaitLink(dir.path() / "ports" / "COM2"));

    const RunResult run = runViraraz({"page", "--alarms"}, dir.path().string());
    EXPECT_EQ(run.exitStatus, 0) << run.out << run.err;

    // The terminal checked the block's checksum itself and acknowledged it.
    // Its text: "1-Alarm ", the code, a blank, then " %d " with the value.
    const std::vector<std::string> pages = linesOf(dir.path() / "pages.txt");
    ASSERT_EQ(pages.size(), 1u);
    const std::string head = "ACK\t1234\t1-Alarm 21  ";
    ASSERT_TRUE(pages[0].starts_with(head) && pages[0].ends_with(" ")) << pages[0];
    const std::string value = pages[0].substr(head.size(), pages[0].size() - head.size() - 1);
    ASSERT_TRUE(value.starts_with("-")) << value;

    // The numeric pager gets "1*", the code, "*", the value with its minus as
    // "*", "*", then "#", three pauses, back to command mode and hang up.
    const std::string digits = "atx3d1*21**" + value.substr(1) + "*#,,,;ATH0";
    EXPECT_EQ(linesOf(dir.path() / "dials.txt"),
              (std::vector<std::string>{std::string(kNumericDial), digits, "ATDT5550000"}));
}

TEST_F(PageThroughPeers, ASilentStationIsPagedAsAStationError)
{
    writePagers(kNumericEntry);
    // A line nobody answers: the station's port is a pseudo-terminal whose
    // master side is never read.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master) | ::unlockpt(master), 0);
    std::filesystem::create_symlink(::ptsname(master), dir.path() / "ports" / "COM1");
    const ChildProcess modem = startModem();
    ASSERT_TRUE(ChildProcess::awaitLink(dir.path() / "ports" / "COM2"));

    const RunResult run = runViraraz({"page", "--alarms"}, dir.path().string());
    ::close(master);
    EXPECT_EQ(run.exitStatus, 1) << "the station did not answer";
    EXPECT_NE(run.out.find("Bob: sent"), std::string::npos) << run.out;
    EXPECT_EQ(linesOf(dir.path() / "dials.txt"),
              (std::vector<std::string>{std::string(kNumericDial), "atx3d99999999#,,,;ATH0"}));
}

} // namespace
} // namespace bv::cli::test
