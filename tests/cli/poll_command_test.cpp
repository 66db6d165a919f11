#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/poll_command.h"
#include "command_rig.h"
#include "run_viraraz.h"
#include "station/crc16.h"
#include "station/protocol_trace.h"
#include "station/station_memory_classic.h"
#include "station/station_memory_tirrel.h"

namespace bv::cli::test {
namespace {

namespace fs = std::filesystem;

constexpr platform::WallTime kStart{2026, 6, 15, 9, 0, 0, 0, 1};
constexpr std::string_view kCommError = "Station Communication Error. Check station settings.";

// viraraz poll in process: a station directory with config.dat, the simulated
// station on an in-memory wire, virtual time.
class PollCommand : public CommandRig {
  protected:
    PollCommand() : CommandRig("bv-poll", kStart) {}

    void useStation(int modelCode, sim::MissingSensors missing = {})
    {
        sim::StationConfig station = stationOf(modelCode, kStart);
        station.missing = missing;
        CommandRig::useStation(station);
    }

    int poll(std::vector<std::string> args = {})
    {
        return runCommand(pollStation, std::move(args), terminal);
    }

    std::string eventLog() const
    {
        std::ifstream in(dir.path() / "event.log");
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // The members of one section of the JSON report, by name, as printed.
    std::map<std::string, std::string> jsonSection(const std::string& key) const
    {
        std::map<std::string, std::string> members;
        std::istringstream lines(out.str());
        std::string line;
        bool inside = false;
        while (std::getline(lines, line)) {
            if (line == "  \"" + key + "\": {") {
                inside = true;
            } else if (inside && line.starts_with("  }")) {
                break;
            } else if (inside) {
                const auto colon = line.find("\": ");
                std::string value = line.substr(colon + 3);
                if (value.ends_with(','))
                    value.pop_back();
                members[line.substr(5, colon - 5)] = value;
            }
        }
        return members;
    }

    bool terminal = false;
};

TEST_F(PollCommand, TextListsEveryValueOfATirrel)
{
    useStation(5);
    ASSERT_EQ(poll(), kExitOk) << err.str();
    const std::string text = out.str();
    EXPECT_TRUE(text.starts_with("Tirrel E on COM1 at 2400 baud\n")) << text;
    for (std::string_view title : {"Current conditions", "Station memory",
                                   "Times of the day's highs and lows", "Derived values"})
        EXPECT_NE(text.find(title), std::string::npos) << title;
    for (const station::MemoryValueSpec& spec : station::tirrelMemoryValues())
        EXPECT_NE(text.find("\n  " + std::string(spec.name) + ' '), std::string::npos) << spec.name;
    for (std::string_view name :
         {"airTemp", "soilTemp", "leafWetness", "barometerTrend", "stationTime", "highAirTempTime",
          "lowAirTempTime", "lowWindChillTime", "highRainRateTime", "dewPoint", "windChill",
          "thermalIndex", "windCompassPoint"})
        EXPECT_NE(text.find("\n  " + std::string(name) + ' '), std::string::npos) << name;
    EXPECT_NE(text.find(" °F\n"), std::string::npos);
    EXPECT_EQ(text.find(" \n"), std::string::npos) << "no blank before a line end";
    EXPECT_NE(text.find("stationTime               2026-06-15 09:0"), std::string::npos) << text;
    EXPECT_TRUE(err.str().empty()) << err.str();
}

TEST_F(PollCommand, JsonOfAClassicStationWithNullForMissingSensors)
{
    sim::MissingSensors missing;
    missing.set(static_cast<std::size_t>(sim::Reading::OutsideTemp));
    useStation(0, missing);
    ASSERT_EQ(poll({"--json"}), kExitOk) << err.str();
    EXPECT_TRUE(out.str().starts_with("{\n  \"model\": \"Ostrel II\",\n  \"port\": 1,\n"))
        << out.str();
    EXPECT_TRUE(out.str().ends_with("\n  }\n}\n"));

    const auto conditions = jsonSection("conditions");
    EXPECT_EQ(conditions.size(), 8U);
    EXPECT_EQ(conditions.at("outsideTemp"), "null");
    EXPECT_NE(conditions.at("insideTemp"), "null");
    const auto memory = jsonSection("memory");
    EXPECT_EQ(memory.size(), station::classicMemoryValues().size() + 2);
    EXPECT_EQ(memory.at("highOutsideTemp"), "null");
    EXPECT_TRUE(memory.at("stationTime").starts_with("\"06-15 09:0")) << memory.at("stationTime");
    const auto times = jsonSection("times");
    EXPECT_EQ(times.size(), 12U); // five pairs and two single times
    const auto derived = jsonSection("derived");
    EXPECT_EQ(derived.at("dewPoint"), "null");
    EXPECT_EQ(derived.at("windChill"), "null");
}

TEST_F(PollCommand, ValuesInTheConfiguredUnits)
{
    useStation(4);
    config.tempUnit = 1;
    config.baroUnit = 3;
    config.windUnit = 2;
    config.rainUnit = 1;
    ASSERT_EQ(poll({"--json"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("\"units\": {\"temperature\": \"°C\", \"rain\": \"mm\", "
                             "\"barometer\": \"hPa\", \"wind\": \"km/hr\"}"),
              std::string::npos)
        << out.str();
    const double hPa = std::stod(jsonSection("conditions").at("barometer"));
    EXPECT_GT(hPa, 900);
    EXPECT_LT(hPa, 1100);
    const double air = std::stod(jsonSection("conditions").at("airTemp"));
    EXPECT_GT(air, -30);
    EXPECT_LT(air, 45);
}

TEST_F(PollCommand, StationThatDoesNotAnswer)
{
    useStation(2);
    simulator->faults().add(sim::FaultRule(sim::FaultKind::Silence).always());
    EXPECT_EQ(poll(), kExitFailure);
    EXPECT_EQ(err.str(), "viraraz: " + std::string(kCommError) + '\n');
    EXPECT_TRUE(out.str().empty());
    EXPECT_NE(eventLog().find(kCommError), std::string::npos);
}

TEST_F(PollCommand, SpoiltPacketIsReadAgain)
{
    useStation(3);
    simulator->faults().add(sim::FaultRule(sim::FaultKind::CorruptCrc).on("LOOP"));
    EXPECT_EQ(poll(), kExitOk) << err.str();
    EXPECT_TRUE(eventLog().empty());
}

TEST_F(PollCommand, PortOfTheStationDirectory)
{
    useStation(1);
    config.stationComPort = 3;
    fs::create_directories(dir.path() / "ports");
    std::ofstream(dir.path() / "ports" / "COM3") << "";
    ASSERT_EQ(poll(), kExitOk) << err.str();
    EXPECT_EQ(fs::path(wire->path()), dir.path() / "ports" / "COM3");
    EXPECT_TRUE(out.str().starts_with("Carrow III on COM3 at 2400 baud\n"));
}

TEST_F(PollCommand, ProgressLineOnATerminal)
{
    useStation(5);
    terminal = true;
    EXPECT_EQ(poll(), kExitOk);
    const std::string erase = "\r\033[K";
    EXPECT_EQ(err.str(), erase + "viraraz: polling the Tirrel E on COM1" + erase +
                             "viraraz: reading the station's memory" + erase);

    // A failure's message replaces the line.
    simulator->faults().add(sim::FaultRule(sim::FaultKind::Silence).always());
    EXPECT_EQ(poll(), kExitFailure);
    EXPECT_EQ(err.str(), erase + "viraraz: polling the Tirrel E on COM1" + erase +
                             "viraraz: " + std::string(kCommError) + '\n');
}

TEST_F(PollCommand, PortThatDoesNotOpen)
{
    useStation(5);
    for (int error : {ENOENT, ENOTTY}) { // missing, or a file that is not a terminal
        wire->failNextOpen(error);
        EXPECT_EQ(poll(), kExitFailure);
        EXPECT_EQ(err.str(), "viraraz: Error in opening com port. Check station settings.\n");
    }
}

// The LOOP command as it goes out (a Tirrel E sends its CRC in writes of its
// own before it) and the reply after it: the acknowledgement and one packet.
TEST_F(PollCommand, TraceHoldsTheLoopCommandAndItsReply)
{
    struct Case {
        int modelCode;
        std::vector<std::vector<std::uint8_t>> loopWrites;
        std::size_t packetBytes;
    };
    const std::uint8_t L = 'L', O = 'O', P = 'P', ff = 0xFF, cr = 0x0D;
    for (const Case& c :
         {Case{5, {{L, O, O, P, ff, ff, cr}}, 36}, Case{1, {{L, O, O, P}, {ff}, {ff}, {cr}}, 18}}) {
        SCOPED_TRACE(c.modelCode);
        useStation(c.modelCode);
        const fs::path tracePath = dir.path() / "poll.trace";
        ASSERT_EQ(poll({"--trace", tracePath.string(), "--json"}), kExitOk) << err.str();
        std::ifstream in(tracePath);
        const std::vector<station::TraceEvent> events = station::parseProtocolTrace(in);

        auto loop =
            std::ranges::search(events, c.loopWrites, [](const auto& event, const auto& bytes) {
                return event.kind == station::TraceEvent::Kind::Sent && event.bytes == bytes;
            });
        ASSERT_FALSE(loop.empty()) << "no LOOP command in the trace";
        const auto reply = loop.end();
        ASSERT_NE(reply, events.end());
        EXPECT_EQ(reply->kind, station::TraceEvent::Kind::Received);
        ASSERT_EQ(reply->bytes.size(), 1 + c.packetBytes);
        EXPECT_EQ(reply->bytes[0], 0x06);
        EXPECT_EQ(station::crc16(std::span(reply->bytes).subspan(2)), 0) << "packet CRC";
        EXPECT_EQ(events.front().kind, station::TraceEvent::Kind::Open);
        EXPECT_EQ(events.back().kind, station::TraceEvent::Kind::Close);
    }
}

TEST_F(PollCommand, TraceFileThatCannotBeWritten)
{
    useStation(5);
    EXPECT_EQ(poll({"--trace", (dir.path() / "no" / "such" / "dir").string()}), kExitFailure);
    EXPECT_TRUE(err.str().starts_with("viraraz: cannot write the trace ")) << err.str();
    EXPECT_EQ(wire->openCount(), 0);
}

TEST_F(PollCommand, UnknownArgument)
{
    useStation(5);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--yaml"}, {"--trace"}, {"--trace="}, {"--json", "--json"}}) {
        EXPECT_EQ(poll(args), kExitUsage);
        EXPECT_EQ(err.str(), "usage: viraraz poll [--json] [--trace FILE]\n");
    }
    EXPECT_EQ(wire->openCount(), 0);
}

TEST(VirarazPoll, ReportsAPortThatDoesNotOpen)
{
    testsupport::TempDir dir{"bv-poll"};
    fs::create_directories(dir.path() / "ports");
    fs::create_symlink("/nonexistent/serial-device", dir.path() / "ports" / "COM1");
    const RunResult result = runViraraz({"poll"}, dir.path().string());
    EXPECT_EQ(result.exitStatus, kExitFailure);
    EXPECT_EQ(result.err, "viraraz: Error in opening com port. Check station settings.\n");
}

} // namespace
} // namespace bv::cli::test
