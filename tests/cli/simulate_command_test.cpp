#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/base/config_file.h"
#include "cli/simulate_command.h"
#include "run_viraraz.h"
#include "simulator_process.h"
#include "support/temp_dir.h"

namespace bv::cli {
namespace {

TEST(SimulateArgs, OptionsAndTheirMistakes)
{
    const SimulateArgs good =
        parseSimulateArgs({"--model", "carrow iii", "--port", "4", "--baud", "1200",
                           "--baud-pacing", "--seed", "77", "--archive-period", "1",
                           "--history-hours", "30", "--modem", "5", "--start", "2026-01-20 06:05"});
    EXPECT_EQ(good.error, "");
    EXPECT_EQ(good.options.modelCode, 1);
    EXPECT_EQ(good.options.port, 4);
    EXPECT_EQ(good.options.baud, 1200);
    EXPECT_TRUE(good.options.baudPacing);
    EXPECT_EQ(good.options.seed, 77u);
    EXPECT_EQ(good.options.archivePeriodMin, 1);
    EXPECT_EQ(good.options.historyHours, 30);
    EXPECT_EQ(good.options.modemPort, 5);
    ASSERT_TRUE(good.options.start.has_value());
    const platform::WallTime& start = *good.options.start;
    EXPECT_EQ((std::vector<int>{start.year, start.month, start.day, start.hour, start.minute}),
              (std::vector<int>{2026, 1, 20, 6, 5}));

    const SimulateArgs defaults = parseSimulateArgs({});
    EXPECT_EQ(defaults.options.modelCode, -1);
    EXPECT_FALSE(defaults.options.port.has_value());
    EXPECT_FALSE(defaults.options.baud.has_value());

    struct Bad {
        std::vector<std::string> args;
        const char* error;
    };
    for (const Bad& bad :
         {Bad{{"--model", "Tirrel F"}, "no station model is called \"Tirrel F\""},
          Bad{{"--port", "0"}, "--port takes a port number 1 to 255"},
          Bad{{"--port", "2x"}, "--port takes a port number 1 to 255"},
          Bad{{"--modem", "256"}, "--modem takes a port number 1 to 255"},
          Bad{{"--start", "2026-13-01 06:00"}, "--start takes a local time \"YYYY-MM-DD HH:MM\""},
          Bad{{"--start", "2026-01-20"}, "--start takes a local time \"YYYY-MM-DD HH:MM\""},
          Bad{{"--baud", "2401"}, "--baud takes 300, 1200, 2400, 4800, 9600 or 19200"},
          Bad{{"--seed", "-1"}, "--seed takes a whole number"},
          Bad{{"--archive-period", "0"}, "--archive-period takes minutes, 1 to 120"},
          Bad{{"--history-hours", "2001"}, "--history-hours takes hours, 0 to 2000"},
          Bad{{"--seed"}, "--seed needs a value"}, Bad{{"--fast"}, "unknown option --fast"}})
        EXPECT_EQ(parseSimulateArgs(bad.args).error, bad.error);
}

TEST(SimulateCommand, RefusesAnUnknownModel)
{
    const testsupport::TempDir dir("bv-simulate");
    const test::RunResult run =
        test::runViraraz({"simulate", "--model", "Carrow"}, dir.path().string());
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("no station model is called \"Carrow\""), std::string::npos);
}

// Writes request to the peer behind link; the first replySize reply bytes
// that came within 3 s.
std::vector<std::uint8_t> exchange(const std::filesystem::path& link,
                                   const std::vector<std::uint8_t>& request, std::size_t replySize)
{
    const int fd = ::open(link.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return {};
    termios tio{};
    ::tcgetattr(fd, &tio);
    ::cfmakeraw(&tio);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 30; // 3 s
    ::tcsetattr(fd, TCSANOW, &tio);
    std::vector<std::uint8_t> reply(replySize);
    std::size_t got = 0;
    if (::write(fd, request.data(), request.size()) == static_cast<ssize_t>(request.size())) {
        while (got < reply.size()) {
            const ssize_t n = ::read(fd, reply.data() + got, reply.size() - got);
            if (n <= 0)
                break;
            got += static_cast<std::size_t>(n);
        }
    }
    ::close(fd);
    reply.resize(got);
    return reply;
}

// Asks the station behind link for its model number ("WRD" 1 nibble at bank 0,
// address 77).
std::vector<std::uint8_t> readModelNumber(const std::filesystem::path& link)
{
    return exchange(link, {'W', 'R', 'D', 0x12, 77, 0x0D}, 2);
}

TEST(SimulateCommand, ServesTheStationOnTheLinkedPortUntilTerminated)
{
    const testsupport::TempDir dir("bv-simulate");
    const auto link = dir.path() / "ports" / "COM3";
    test::Simulator simulator(dir.path(), {"--model", "Carrow II", "--port", "3"});
    ASSERT_TRUE(simulator.started());
    ASSERT_TRUE(test::Simulator::awaitLink(link));

    const std::vector<std::uint8_t> reply = readModelNumber(link);
    ASSERT_EQ(reply.size(), 2u);
    EXPECT_EQ(reply[0], 0x06);
    EXPECT_EQ(reply[1] & 0x0F, 1) << "Carrow II";

    EXPECT_EQ(simulator.terminate(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
    // config.dat (the defaults here) names another model and port.
    EXPECT_EQ(simulator.err(),
              "viraraz: config.dat has stationModel \"Ostrel II\"; viraraz config "
              "set stationModel \"Carrow II\" makes the programs poll this station\n"
              "viraraz: config.dat has stationComPort 1; viraraz config set "
              "stationComPort 3 makes the programs poll this station\n");
}

TEST(SimulateCommand, ServesTheConfiguredModelOnTheConfiguredPort)
{
    const testsupport::TempDir dir("bv-simulate");
    for (const auto& [name, value] :
         {std::pair{"stationModel", "Tirrel D"}, {"stationComPort", "2"}})
        ASSERT_EQ(test::runViraraz({"config", "set", name, value}, dir.path().string()).exitStatus,
                  0);
    test::Simulator simulator(dir.path(), {});
    ASSERT_TRUE(simulator.started());
    EXPECT_TRUE(test::Simulator::awaitLink(dir.path() / "ports" / "COM2"));
    EXPECT_EQ(simulator.terminate(), 0);
    EXPECT_EQ(simulator.err(), "");
}

TEST(SimulateCommand, ServesThePagingModemOnASecondPort)
{
    const testsupport::TempDir dir("bv-simulate");
    ASSERT_EQ(
        test::runViraraz({"config", "set", "pagerComPort", "4"}, dir.path().string()).exitStatus,
        0);
    const test::RunResult samePort =
        test::runViraraz({"simulate", "--modem", "1"}, dir.path().string());
    EXPECT_EQ(samePort.exitStatus, 2);
    EXPECT_EQ(samePort.err, "viraraz: --modem needs a port of its own, not the station's 1\n");

    test::Simulator simulator(dir.path(), {"--modem", "4"});
    ASSERT_TRUE(simulator.started());
    ASSERT_TRUE(test::Simulator::awaitLink(dir.path() / "ports" / "COM4"));
    const std::string reply = "AT\r\r\nOK\r\n"; // echoed, then the result
    const std::vector<std::uint8_t> got =
        exchange(dir.path() / "ports" / "COM4", {'A', 'T', '\r'}, reply.size());
    EXPECT_EQ(std::string(got.begin(), got.end()), reply);
    EXPECT_EQ(simulator.terminate(), 0);
    EXPECT_FALSE(
        std::filesystem::exists(std::filesystem::symlink_status(dir.path() / "ports" / "COM4")));
}

TEST(SimulateCommand, RunsAtTwentyFourHundredWhenConfigDatHoldsAnUnusableRate)
{
    const testsupport::TempDir dir("bv-simulate");
    app::ConfigRecord config;
    config.stationBaud = 0;
    ASSERT_FALSE(app::saveConfig(config, dir.path()));
    test::Simulator simulator(dir.path(), {"--model", "Ostrel II", "--baud-pacing"});
    ASSERT_TRUE(simulator.started());
    ASSERT_TRUE(test::Simulator::awaitLink(dir.path() / "ports" / "COM1"));
    EXPECT_EQ(readModelNumber(dir.path() / "ports" / "COM1").size(), 2u);
    EXPECT_EQ(simulator.terminate(), 0);
    EXPECT_EQ(simulator.err(), "viraraz: config.dat has stationBaud 0; viraraz config set "
                               "stationBaud 2400 makes the programs poll this station\n");
}

} // namespace
} // namespace bv::cli
