#include "station/station_memory.h"

#include <gtest/gtest.h>

namespace bv::station {
namespace {

TEST(NibbleValue, TakesOnlyTheValuesNibbles)
{
    const std::vector<std::uint8_t> bytes{0x39, 0x30, 0xF0};
    EXPECT_EQ(nibbleValue(bytes, 1), 0x9U);
    EXPECT_EQ(nibbleValue(bytes, 2), 0x39U);
    EXPECT_EQ(nibbleValue(bytes, 3), 0x039U); // top nibble of the last byte is not part
    EXPECT_EQ(nibbleValue(bytes, 4), 0x3039U);
    EXPECT_EQ(nibbleValue(bytes, 5), 0x03039U);
    EXPECT_EQ(nibbleValue(bytes, 6), 0xF03039U);
    EXPECT_EQ(nibbleValue(std::vector<std::uint8_t>{0x12}, 4), 0x12U); // short reply
}

TEST(RawNumbers, SignOfFourNibbleAndTwelveBitValues)
{
    EXPECT_EQ(rawNumber(0xFFF6, 4), -10);
    EXPECT_EQ(rawNumber(0x8000, 4), -32768);
    EXPECT_EQ(rawNumber(0xFF6, 3), 4086);
    EXPECT_EQ(signExtend12(0x7FF), 2047);
    EXPECT_EQ(signExtend12(0x800), -2048);
    EXPECT_EQ(signExtend12(0xFFF), -1);
    EXPECT_EQ(signExtend12(0xF352), 850); // bits above 11 are ignored
}

TEST(Bcd, DigitsAndNonDigits)
{
    EXPECT_EQ(fromBcd(0x59), 59);
    EXPECT_EQ(fromBcd(0x00), 0);
    EXPECT_EQ(fromBcd(0x5A), -1);
    EXPECT_EQ(fromBcd(0xA5), -1);
}

TEST(TirrelTimeWord, MinuteOfDayAndDaysBack)
{
    const auto t = decodeTirrelTimeWord(static_cast<std::uint16_t>((875 << 4) | 2));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->minuteOfDay, 875);
    EXPECT_EQ(t->daysAgo, 2);
    EXPECT_FALSE(decodeTirrelTimeWord(static_cast<std::uint16_t>((875 << 4) | 15)));
}

TEST(StepBackDays, CrossesMonthAndYearEnds)
{
    EXPECT_EQ(stepBackDays(2026, 1, 2, 3), (RecordTime{2025, 12, 30, 0, 0}));
    EXPECT_EQ(stepBackDays(2024, 3, 1, 1), (RecordTime{2024, 2, 29, 0, 0}));
    EXPECT_EQ(stepBackDays(2026, 3, 1, 1), (RecordTime{2026, 2, 28, 0, 0}));
    EXPECT_EQ(stepBackDays(2026, 7, 15, 0), (RecordTime{2026, 7, 15, 0, 0}));
}

TEST(ClassicTimes, PairOfHighAndLow)
{
    const std::vector<std::uint8_t> times{0x14, 0x35, 0x05, 0x10};
    const ClassicTimePair p =
        decodeClassicTimePair(times, std::vector<std::uint8_t>{0x21, 0x96, 0x71});
    ASSERT_TRUE(p.high && p.low);
    EXPECT_EQ(*p.high, (RecordTime{0, 6, 21, 14, 35}));
    EXPECT_EQ(*p.low, (RecordTime{0, 7, 19, 5, 10}));
}

TEST(ClassicTimes, InvalidFieldsMeanNoTime)
{
    const std::vector<std::uint8_t> dates{0x21, 0x96, 0x71};
    EXPECT_FALSE(
        decodeClassicTimePair(std::vector<std::uint8_t>{0x25, 0x00, 0x05, 0x10}, dates).high);
    EXPECT_TRUE(
        decodeClassicTimePair(std::vector<std::uint8_t>{0x25, 0x00, 0x05, 0x10}, dates).low);
    EXPECT_FALSE(decodeClassicTimePair(std::vector<std::uint8_t>{0x14, 0x35, 0x05, 0x10},
                                       std::vector<std::uint8_t>{0x21, 0x96, 0x01})
                     .low); // month 0
    EXPECT_FALSE(decodeClassicTimePair(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF},
                                       std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF})
                     .high);
    EXPECT_FALSE(decodeClassicTimePair({}, dates).high); // short reply
}

TEST(ClassicTimes, SingleTime)
{
    const auto t = decodeClassicTime(std::vector<std::uint8_t>{0x23, 0x59},
                                     std::vector<std::uint8_t>{0x31, 0x0C});
    ASSERT_TRUE(t);
    EXPECT_EQ(*t, (RecordTime{0, 12, 31, 23, 59}));
    EXPECT_FALSE(decodeClassicTime(std::vector<std::uint8_t>{0x23, 0x60},
                                   std::vector<std::uint8_t>{0x31, 0x0C}));
}

TEST(TirrelClock, YearByteAcrossTwoBytes)
{
    const std::vector<std::uint8_t> time{0x09, 0x30};
    // 2026: year byte 126 = 0x7E, split as 0xE in the high nibble of byte 1 and 0x7 in byte 2.
    EXPECT_EQ(decodeTirrelClock(time, std::vector<std::uint8_t>{0x07, 0xEC, 0x07}),
              (RecordTime{2026, 12, 7, 9, 30}));
    // Year bytes up to 90 are this century.
    EXPECT_EQ(decodeTirrelClock(time, std::vector<std::uint8_t>{0x15, 0xA3, 0x05}),
              (RecordTime{2090, 3, 15, 9, 30}));
    EXPECT_FALSE(decodeTirrelClock(time, std::vector<std::uint8_t>{0x15, 0xAD, 0x05})); // month 13
}

TEST(BarometerTrend, FirstSetBitWins)
{
    const std::pair<std::uint8_t, BarometerTrend> cases[] = {
        {0x01, BarometerTrend::Steady},  {0x07, BarometerTrend::Steady},
        {0x02, BarometerTrend::Rising},  {0x06, BarometerTrend::Rising},
        {0x04, BarometerTrend::Falling}, {0x00, BarometerTrend::None},
        {0x08, BarometerTrend::None},
    };
    for (const auto& [bits, trend] : cases)
        EXPECT_EQ(decodeBarometerTrend(bits), trend) << int{bits};
}

} // namespace
} // namespace bv::station
