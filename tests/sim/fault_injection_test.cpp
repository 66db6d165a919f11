#include <gtest/gtest.h>

#include "sim/xmodem_crc.h"
#include "sim_fixture.h"

namespace bv::sim {
namespace {

using test::StationLine;

constexpr std::uint8_t kAck = 0x06;

std::vector<std::uint8_t> loop(StationLine& line)
{
    line.advance(1000);
    return line.command("LOOP", {0xFF, 0xFF});
}

TEST(FaultInjection, SilenceSwallowsTheNextRepliesAndTheirCommands)
{
    StationLine line("Tirrel E");
    line.sim.faults().add(FaultRule(FaultKind::Silence).on("WWR").times(2));
    EXPECT_TRUE(line.command("WWR", {0x21, 240, 0x11}).empty());
    EXPECT_TRUE(line.command("WWR", {0x21, 240, 0x22}).empty());
    EXPECT_EQ(line.sim.station().stationMemory().value({0, 240, 2}), 0u) << "not heard, not done";
    EXPECT_EQ(line.command("WWR", {0x21, 240, 0x33}), (std::vector<std::uint8_t>{kAck}));
    EXPECT_EQ(line.sim.station().stationMemory().value({0, 240, 2}), 0x33u);
    EXPECT_EQ(line.sim.faults().fired(FaultKind::Silence), 2);
}

TEST(FaultInjection, NakBytesRefuseTheCommand)
{
    for (const std::uint8_t nak : {std::uint8_t{0x21}, std::uint8_t{0x18}, std::uint8_t{0x15}}) {
        StationLine line("Tirrel D");
        line.sim.faults().add(FaultRule(FaultKind::Nak).answering(nak));
        EXPECT_EQ(line.command("WWR", {0x43, 207, 10, 0}), (std::vector<std::uint8_t>{nak}));
        EXPECT_EQ(line.sim.station().stationMemory().value({1, 207, 4}), 100u);
        EXPECT_EQ(line.command("WWR", {0x43, 207, 10, 0}), (std::vector<std::uint8_t>{kAck}));
        EXPECT_EQ(line.sim.station().stationMemory().value({1, 207, 4}), 10u);
    }
}

TEST(FaultInjection, DroppedBytesShortenTheReply)
{
    StationLine line("Ostrel II");
    line.sim.faults().add(FaultRule(FaultKind::DropBytes).on("LOOP").dropping(3));
    EXPECT_EQ(loop(line).size(), 19u - 3u);
    EXPECT_EQ(loop(line).size(), 19u);
}

TEST(FaultInjection, CorruptedCrcOnlyTouchesRepliesThatCarryOne)
{
    StationLine line("Carrow III");
    line.sim.faults().add(FaultRule(FaultKind::CorruptCrc));
    const auto plain = line.command("WRD", {0x12, 77});
    EXPECT_EQ(plain.size(), 2u);
    EXPECT_EQ(line.sim.faults().fired(FaultKind::CorruptCrc), 0)
        << "a classic memory read has no CRC";
    const auto spoiled = loop(line);
    EXPECT_NE(xmodemCrc(std::span(spoiled).subspan(2)), 0);
    const auto good = loop(line);
    EXPECT_EQ(xmodemCrc(std::span(good).subspan(2)), 0);
}

TEST(FaultInjection, CorruptedCrcOnTirrelEMemoryReads)
{
    StationLine line("Tirrel E");
    line.sim.faults().add(FaultRule(FaultKind::CorruptCrc).on("RRD"));
    auto reply = line.command("RRD", {1, 82, 1});
    EXPECT_NE(xmodemCrc(std::span(reply).subspan(1)), 0);
    line.advance(300);
    reply = line.command("RRD", {1, 82, 1});
    EXPECT_EQ(xmodemCrc(std::span(reply).subspan(1)), 0);
}

TEST(FaultInjection, LateRepliesArriveLate)
{
    StationLine line("Lunett");
    line.out.now = 10'000;
    line.sim.faults().add(FaultRule(FaultKind::Late).delayedBy(4500));
    line.sim.onBytes(test::frameCommand("WRD", {0x12, 77}, false), line.out);
    ASSERT_FALSE(line.out.sent.empty());
    EXPECT_EQ(line.out.sent.front().atMs, 14'500);
}

TEST(FaultInjection, AnUnexpectedModelNumberForTheNextReads)
{
    StationLine line("Carrow II");
    line.sim.faults().add(FaultRule(FaultKind::WrongModelNumber).times(2).reporting(7));
    EXPECT_EQ(line.readData("WRD", {0x22, 70}).at(0), 0) << "not the model number";
    EXPECT_EQ(line.readData("WRD", {0x12, 77}).at(0) & 0x0F, 7);
    EXPECT_EQ(line.readData("WRD", {0x12, 77}).at(0) & 0x0F, 7);
    EXPECT_EQ(line.readData("WRD", {0x12, 77}).at(0) & 0x0F, 1);
}

TEST(FaultInjection, ARepeatedArchiveBlock)
{
    StationLine line("Tirrel D", 4);
    line.sim.faults().add(FaultRule(FaultKind::RepeatBlock));
    line.command("DMP");
    EXPECT_EQ(line.send({0x43}).at(1), 1);
    EXPECT_EQ(line.send({0x06}).at(1), 1) << "block 1 again after its acknowledgement";
    EXPECT_EQ(line.send({0x06}).at(1), 2);
    EXPECT_EQ(line.send({0x06}).at(1), 3);
}

TEST(FaultInjection, ArchiveBlocksCanBeLostOrSpoiled)
{
    StationLine line("Carrow III", 4);
    line.sim.faults().add(FaultRule(FaultKind::CorruptCrc).on("BLOCK"));
    line.sim.faults().add(FaultRule(FaultKind::Silence).on("BLOCK"));
    line.command("DMP");
    EXPECT_TRUE(line.send({0x43}).empty());
    const auto spoiled = line.send({0x15});
    EXPECT_NE(xmodemCrc(std::span(spoiled).subspan(3)), 0);
    const auto good = line.send({0x15});
    EXPECT_EQ(good.at(1), 1);
    EXPECT_EQ(xmodemCrc(std::span(good).subspan(3)), 0);
}

TEST(FaultInjection, ArchiveBlocksCanComeMisnumberedHeaderlessCutOrNotAtAll)
{
    StationLine line("Tirrel E", 4);
    auto& faults = line.sim.faults();
    faults.add(FaultRule(FaultKind::BadBlockNumber).on("BLOCK"));
    faults.add(FaultRule(FaultKind::BadBlockHeader).on("BLOCK"));
    faults.add(FaultRule(FaultKind::CutBlock).on("BLOCK").cuttingAfter(40));
    line.command("DMP");
    const auto spoiled = line.send({0x43});
    ASSERT_EQ(spoiled.size(), 40u) << "cut short";
    EXPECT_EQ(spoiled[0], 0x7E) << "a noise byte for the start";
    EXPECT_EQ(spoiled[1], 2) << "block 1 numbered as the one after it";
    EXPECT_EQ(spoiled[2], 0xFD);
    const auto good = line.send({0x15});
    ASSERT_EQ(good.size(), 133u);
    EXPECT_EQ(good[0], 0x01);
    EXPECT_EQ(good[1], 1);

    faults.add(FaultRule(FaultKind::HangUp).on("BLOCK"));
    EXPECT_TRUE(line.send({0x06}).empty());
    EXPECT_TRUE(line.out.hungUp);
}

TEST(FaultInjection, ProbabilityRulesFollowTheSeed)
{
    auto pattern = [](std::uint64_t seed) {
        StationConfig config = StationLine::configFor("Tirrel E");
        config.weather.seed = seed;
        StationLine line(config);
        line.sim.faults().add(FaultRule(FaultKind::Silence).always().withProbability(0.3));
        std::string heard;
        for (int i = 0; i < 200; ++i)
            heard += loop(line).empty() ? '.' : 'x';
        return heard;
    };
    const std::string a = pattern(11);
    EXPECT_EQ(a, pattern(11));
    EXPECT_NE(a, pattern(12));
    const auto silent = std::count(a.begin(), a.end(), '.');
    EXPECT_GT(silent, 35);
    EXPECT_LT(silent, 85);
}

} // namespace
} // namespace bv::sim
