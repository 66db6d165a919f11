#include <gtest/gtest.h>

#include "sim/xmodem_crc.h"
#include "sim_fixture.h"

namespace bv::sim {
namespace {

using test::le16;
using test::StationLine;

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint8_t kEsc = 0x1B;
constexpr std::uint8_t kGo = 0x43;

struct Family {
    const char* model;
    int recordSize;
    int ringRecords;
    std::uint8_t pointerAt; // logger bank 1
    std::uint8_t pointerNibblesLess1;
    std::uint8_t periodAt;
    std::uint8_t alignAt;
    std::uint8_t clearAt;
};

constexpr Family kTirrel{"Tirrel E", 32, 1015, 10, 3, 82, 84, 6};
constexpr Family kClassic{"Carrow II", 21, 1560, 0, 6, 60, 72, 0};

int pointerOf(StationLine& line, const Family& f)
{
    const auto data = line.readData("RRD", {1, f.pointerAt, f.pointerNibblesLess1});
    return le16(data, 0);
}

int wrapFlagOf(StationLine& line)
{
    return line.readData("RRD", {0, 66, 0}).at(0) & 0x1;
}

// Hour and minute of a record, BCD, where each family keeps them.
int stampMinute(std::span<const std::uint8_t> record, const Family& f)
{
    const std::size_t at = f.recordSize == 32 ? 12 : 15;
    auto fromBcd = [](std::uint8_t b) { return b / 16 * 10 + b % 16; };
    return fromBcd(record[at]) * 60 + fromBcd(record[at + 1]);
}

class ArchiveFamily : public ::testing::TestWithParam<Family> {};

INSTANTIATE_TEST_SUITE_P(Families, ArchiveFamily, ::testing::Values(kTirrel, kClassic),
                         [](const ::testing::TestParamInfo<Family>& param) {
                             return param.param.recordSize == 32 ? std::string("Tirrel")
                                                                 : std::string("Classic");
                         });

TEST_P(ArchiveFamily, HistoryFillsTheRingEveryArchivePeriod)
{
    const Family f = GetParam();
    StationConfig config = StationLine::configFor(f.model, 24);
    config.start = {2026, 4, 3, 10, 10};
    StationLine line(config);
    const ArchiveRing& ring = line.sim.station().archive();
    EXPECT_EQ(line.readData("RRD", {1, f.periodAt, 1}).at(0), 30);
    EXPECT_EQ(pointerOf(line, f), 48 * f.recordSize);
    EXPECT_EQ(wrapFlagOf(line), 0);
    EXPECT_EQ(stampMinute(ring.record(47), f), 10 * 60) << "the latest boundary before the start";
    for (int i = 1; i < 48; ++i)
        EXPECT_EQ(
            (stampMinute(ring.record(i), f) - stampMinute(ring.record(i - 1), f) + 1440) % 1440, 30)
            << "record " << i;
    line.advance(20 * 60 * 1000);
    EXPECT_EQ(pointerOf(line, f), 49 * f.recordSize);
    EXPECT_EQ(le16(line.readData("RRD", {1, f.alignAt, 3}), 0), 10 * 60 + 30);
}

TEST_P(ArchiveFamily, TheRingWrapsAndSaysSo)
{
    const Family f = GetParam();
    StationConfig config = StationLine::configFor(f.model, 0);
    config.archivePeriodMin = 1;
    StationLine line(config);
    line.advance(static_cast<std::int64_t>(f.ringRecords + 5) * 60 * 1000);
    EXPECT_EQ(wrapFlagOf(line), 1);
    EXPECT_EQ(pointerOf(line, f), 5 * f.recordSize);
}

TEST_P(ArchiveFamily, ClearingAsTheProgramDoesEmptiesTheRing)
{
    const Family f = GetParam();
    StationLine line(StationLine::configFor(f.model, 6));
    ASSERT_GT(pointerOf(line, f), 0);
    EXPECT_EQ(line.command("DBT").at(0), kAck);
    EXPECT_EQ(line.command("RWR", {0x17, f.clearAt, 0, 0, 0, 0}).at(0), kAck);
    EXPECT_EQ(line.command("SRD", {0, 0, 0, 0}).size(), 4u);
    EXPECT_EQ(line.command("RWR", {0x00, 66, 0}).at(0), kAck);
    line.advance(45 * 60 * 1000);
    EXPECT_EQ(pointerOf(line, f), 0) << "no records while background tasks are off";
    EXPECT_EQ(line.command("EBT").at(0), kAck);
    line.advance(31 * 60 * 1000);
    EXPECT_EQ(pointerOf(line, f), f.recordSize);
    EXPECT_EQ(wrapFlagOf(line), 0);
}

TEST_P(ArchiveFamily, DumpSendsNumberedBlocksUnderAckNakAndEscape)
{
    const Family f = GetParam();
    StationLine line(StationLine::configFor(f.model, 24));
    const ArchiveRing& ring = line.sim.station().archive();
    EXPECT_EQ(line.command("DMP"), (std::vector<std::uint8_t>{kAck}));
    line.advance(500);
    auto block = line.send({kGo});
    ASSERT_EQ(block.size(), 133u);
    EXPECT_EQ(block[0], 0x01);
    EXPECT_EQ(block[1], 1);
    EXPECT_EQ(block[2], 0xFE);
    EXPECT_EQ(xmodemCrc(std::span(block).subspan(3)), 0);
    EXPECT_TRUE(std::equal(block.begin() + 3, block.begin() + 131, ring.block(0).begin()));

    block = line.send({kAck});
    EXPECT_EQ(block.at(1), 2);
    const auto again = line.send({kNak});
    EXPECT_EQ(again, block) << "a refused block comes again";
    EXPECT_TRUE(line.send({kEsc}).empty());
    EXPECT_TRUE(line.send({kAck}).empty()) << "the dump has ended";
    line.advance(500);
    EXPECT_EQ(line.command("WRD", {0x12, 77}).at(0), kAck);
}

TEST(ArchiveDump, EndsAfterTheLastBlockNumberedZero)
{
    StationLine line("Lunett", 2);
    line.command("DMP");
    auto block = line.send({kGo});
    for (int i = 2; i <= 256; ++i) {
        block = line.send({kAck});
        ASSERT_EQ(block.size(), 133u) << i;
        ASSERT_EQ(block[1], i % 256);
        ASSERT_EQ(block[2], (i % 256) ^ 0xFF);
    }
    EXPECT_TRUE(line.send({kAck}).empty());
}

TEST(ArchiveDump, ACommandInsteadOfGoLeavesTheDump)
{
    StationLine line("Tirrel D", 2);
    line.command("DMP");
    const auto reply = line.command("WRD", {0x12, 77});
    ASSERT_EQ(reply.size(), 2u);
    EXPECT_EQ(reply[0], kAck);
}

TEST(ArchiveRecord, TirrelRecordsHoldThePeriodsAveragesAndExtremes)
{
    StationConfig config = StationLine::configFor("Tirrel E", 3);
    config.start = {2026, 8, 20, 16, 0};
    StationLine line(config);
    const auto rec = line.sim.station().archive().record(5);
    const int average = static_cast<std::int16_t>(le16({rec.begin(), rec.end()}, 10));
    const int high = static_cast<std::int16_t>(le16({rec.begin(), rec.end()}, 16));
    const int low = static_cast<std::int16_t>(le16({rec.begin(), rec.end()}, 18));
    EXPECT_LE(low, average);
    EXPECT_LE(average, high);
    EXPECT_GT(low, 300);
    EXPECT_EQ(rec[14], 0x20) << "day 20, BCD";
    EXPECT_EQ(rec[15], 8);
    EXPECT_LT(rec[5], 16) << "a compass sector";
    EXPECT_EQ(rec[31], 0);
}

TEST(ArchiveRecord, ClassicRecordsHoldThePeriodsAveragesAndExtremes)
{
    StationConfig config = StationLine::configFor("Ostrel II", 3);
    config.start = {2026, 12, 5, 16, 0};
    StationLine line(config);
    const auto span = line.sim.station().archive().record(2);
    const std::vector<std::uint8_t> rec(span.begin(), span.end());
    const int outside = static_cast<std::int16_t>(le16(rec, 8));
    EXPECT_LE(outside, static_cast<std::int16_t>(le16(rec, 12)));
    EXPECT_GE(outside, static_cast<std::int16_t>(le16(rec, 19)));
    EXPECT_GE(rec[14], rec[10]) << "high wind at least the average";
    EXPECT_EQ(rec[17], 0x05);
    EXPECT_EQ(rec[18], 12);
    EXPECT_GT(le16(rec, 0), 28000);
}

} // namespace
} // namespace bv::sim
