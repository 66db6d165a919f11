#include <gtest/gtest.h>

#include "sim/xmodem_crc.h"
#include "sim_fixture.h"

namespace bv::sim {
namespace {

using test::StationLine;

constexpr std::uint8_t kAck = 0x06;

class EveryModel : public ::testing::TestWithParam<const char*> {};

INSTANTIATE_TEST_SUITE_P(Models, EveryModel,
                         ::testing::Values("Ostrel II", "Carrow III", "Carrow II", "Lunett",
                                           "Tirrel D", "Tirrel E"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             std::string name = param.param;
                             std::erase(name, ' ');
                             return name;
                         });

TEST_P(EveryModel, ReadsTheModelNumberWithTheFamilysReplyFraming)
{
    StationLine line(GetParam());
    const SimulatedModel& model = line.sim.station().model();
    const auto reply = line.command("WRD", {0x12, 77});
    ASSERT_EQ(reply.size(), model.dataCrc ? 4u : 2u);
    EXPECT_EQ(reply[0], kAck);
    EXPECT_EQ(reply[1] & 0x0F, model.modelNumber);
    if (model.dataCrc) {
        EXPECT_EQ(xmodemCrc(std::span(reply).subspan(1)), 0);
    }
}

TEST_P(EveryModel, StationMemoryWritesReadBack)
{
    StationLine line(GetParam());
    EXPECT_EQ(line.command("WWR", {0x43, 240, 0x34, 0x12}), (std::vector<std::uint8_t>{kAck}));
    EXPECT_EQ(line.readData("WRD", {0x44, 240}), (std::vector<std::uint8_t>{0x34, 0x12}));
    // Bank 0 is a separate memory.
    EXPECT_EQ(line.readData("WRD", {0x42, 240}), (std::vector<std::uint8_t>{0x00, 0x00}));
    EXPECT_EQ(line.command("WWR", {0x21, 240, 0x7F}), (std::vector<std::uint8_t>{kAck}));
    EXPECT_EQ(line.readData("WRD", {0x22, 240}), (std::vector<std::uint8_t>{0x7F}));
}

TEST_P(EveryModel, LoggerMemoryWritesReadBack)
{
    StationLine line(GetParam());
    EXPECT_EQ(line.command("RWR", {0x13, 200, 0x66, 0x03}), (std::vector<std::uint8_t>{kAck}));
    EXPECT_EQ(line.readData("RRD", {1, 200, 3}), (std::vector<std::uint8_t>{0x66, 0x03}));
    EXPECT_EQ(line.command("RWR", {0x00, 202, 0x05}), (std::vector<std::uint8_t>{kAck}));
    EXPECT_EQ(line.readData("RRD", {0, 202, 0}).at(0) & 0x0F, 5);
}

TEST_P(EveryModel, ArchiveAndSamplePeriodsLandInLoggerMemory)
{
    StationLine line(GetParam());
    const LoggerLayout logger = line.sim.station().archive().logger();
    EXPECT_EQ(line.command("SSP", {256 - 5}), (std::vector<std::uint8_t>{kAck}));
    EXPECT_EQ(line.command("SAP", {10}), (std::vector<std::uint8_t>{kAck}));
    const int periodAt = logger.archivePeriod.address;
    EXPECT_EQ(line.readData("RRD", {1, static_cast<std::uint8_t>(periodAt), 1}),
              (std::vector<std::uint8_t>{10}));
    EXPECT_EQ(line.sim.station().loggerMemory().value(logger.samplePeriod), 251u);
}

TEST_P(EveryModel, StatusReadCarriesACrcOnBothFamilies)
{
    StationLine line(GetParam());
    const auto reply = line.command("SRD", {0, 0, 0, 0});
    ASSERT_EQ(reply.size(), 4u);
    EXPECT_EQ(reply[0], kAck);
    EXPECT_EQ(xmodemCrc(std::span(reply).subspan(1)), 0);
}

TEST_P(EveryModel, BackgroundTasksPauseAndResume)
{
    StationLine line(GetParam());
    EXPECT_EQ(line.command("DBT"), (std::vector<std::uint8_t>{kAck}));
    EXPECT_TRUE(line.sim.station().archivingPaused());
    EXPECT_EQ(line.command("EBT"), (std::vector<std::uint8_t>{kAck}));
    EXPECT_FALSE(line.sim.station().archivingPaused());
}

TEST_P(EveryModel, UnknownWordsAndBadSelectorsAreRefusedWithBang)
{
    StationLine line(GetParam());
    EXPECT_EQ(line.command("XYZ"), (std::vector<std::uint8_t>{0x21}));
    EXPECT_EQ(line.command("WRD", {0x11, 77}), (std::vector<std::uint8_t>{0x21}))
        << "write code in a read";
    EXPECT_EQ(line.command("RRD", {2, 0, 0}), (std::vector<std::uint8_t>{0x21})) << "no bank 2";
    EXPECT_EQ(line.sim.refusedFrames(), 1);
    // The station is still in step afterwards.
    EXPECT_EQ(line.command("DBT"), (std::vector<std::uint8_t>{kAck}));
}

TEST_P(EveryModel, ArgumentsMayHoldCarriageReturns)
{
    StationLine line(GetParam());
    line.sim.station().stationMemory().setValue({0, 13, 2}, 0x5A);
    const auto data = line.readData("WRD", {0x22, 0x0D});
    EXPECT_EQ(data, (std::vector<std::uint8_t>{0x5A}));
    EXPECT_EQ(line.sim.refusedFrames(), 0);
}

TEST_P(EveryModel, AHalfCommandIsAbandonedAfterASilence)
{
    StationLine line(GetParam());
    const auto whole = test::frameCommand("WRD", {0x12, 77}, line.sim.station().model().commandCrc);
    EXPECT_TRUE(line.send({whole.begin(), whole.begin() + 4}).empty());
    line.advance(600);
    const auto reply = line.send(whole);
    ASSERT_FALSE(reply.empty());
    EXPECT_EQ(reply[0], kAck);
    ASSERT_EQ(line.sim.received().size(), 1u);
    EXPECT_EQ(line.sim.received()[0].word, "WRD");
}

TEST_P(EveryModel, HearsNothingAtAnotherLineRate)
{
    StationLine line(GetParam());
    platform::LineSettings settings;
    settings.baud = 1200;
    line.sim.onOpen(settings);
    EXPECT_TRUE(line.command("WRD", {0x12, 77}).empty());
    settings.baud = 2400;
    line.sim.onOpen(settings);
    EXPECT_FALSE(line.command("WRD", {0x12, 77}).empty());
}

TEST(CommandFraming, TirrelEChecksTheCrcInFrontOfEveryCommand)
{
    StationLine line("Tirrel E");
    auto framed = test::frameCommand("WRD", {0x12, 77}, true);
    framed[0] ^= 0x01;
    EXPECT_EQ(line.send(framed), (std::vector<std::uint8_t>{0x18}));
    line.advance(600);
    // A command without its CRC, as the classic engine sends it: the station
    // takes "WR" for the CRC and refuses the rest.
    EXPECT_EQ(line.send(test::frameCommand("WRD", {0x12, 77}, false)),
              (std::vector<std::uint8_t>{0x18}));
    line.advance(600);
    EXPECT_EQ(line.command("WRD", {0x12, 77}).at(0), kAck);
}

TEST(CommandFraming, StationsWithoutCommandCrcIgnoreNoiseBetweenCommands)
{
    for (const char* model : {"Carrow III", "Tirrel D"}) {
        StationLine line(model);
        auto bytes = std::vector<std::uint8_t>{0x0A, 0x00, 0xFF, 0x0D};
        const auto framed = test::frameCommand("WRD", {0x12, 77}, false);
        bytes.insert(bytes.end(), framed.begin(), framed.end());
        const auto reply = line.send(bytes);
        ASSERT_EQ(reply.size(), 2u) << model;
        EXPECT_EQ(reply[0], kAck) << model;
    }
}

TEST(CommandFraming, ReceivedCommandsAreLoggedWithTheirArguments)
{
    StationLine line("Lunett");
    line.advance(1500);
    line.command("WWR", {0x21, 96, 0});
    ASSERT_EQ(line.sim.received().size(), 1u);
    const ReceivedCommand& c = line.sim.received()[0];
    EXPECT_EQ(c.word, "WWR");
    EXPECT_EQ(c.args, (std::vector<std::uint8_t>{0x21, 96, 0}));
    EXPECT_EQ(c.lineMs, 1500);
}

} // namespace
} // namespace bv::sim
