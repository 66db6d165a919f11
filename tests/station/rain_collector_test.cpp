#include "station/rain_collector.h"

#include <gtest/gtest.h>

namespace bv::station {
namespace {

using units::RainUnit;

struct AmountCase {
    double amount;
    CollectorUnit unit;
    bool accepted;
};

TEST(RainCollector, AcceptsAmountsInItsRangeOnly)
{
    const AmountCase cases[] = {
        {0.0009, CollectorUnit::Inch, false},      {0.001, CollectorUnit::Inch, true},
        {10, CollectorUnit::Inch, true},           {10.01, CollectorUnit::Inch, false},
        {-0.1, CollectorUnit::Inch, false},        {0.009, CollectorUnit::Millimetre, false},
        {0.01, CollectorUnit::Millimetre, true},   {254, CollectorUnit::Millimetre, true},
        {254.5, CollectorUnit::Millimetre, false},
    };
    for (const AmountCase& c : cases)
        EXPECT_EQ(RainCollector::fromAmount(c.amount, c.unit).has_value(), c.accepted)
            << c.amount << (c.unit == CollectorUnit::Inch ? " in" : " mm");
}

struct TipsCase {
    int setting;
    int tipsPerInch;
    double inchesFor100Tips;
    double millimetresFor100Tips;
};

TEST(RainCollector, ConvertsTipsByTheConfiguredCollector)
{
    const TipsCase cases[] = {
        {1, 10, 10.0, 254.0},                     // 0.1 in
        {2, 100, 1.0, 25.4},                      // 0.01 in
        {3, 127, 20 * 0.03937007874015748, 20.0}, // 0.2 mm
    };
    for (const TipsCase& c : cases) {
        const auto collector = configuredRainCollector(c.setting);
        ASSERT_TRUE(collector) << c.setting;
        EXPECT_EQ(collector->tipsPerInch(), c.tipsPerInch) << c.setting;
        EXPECT_DOUBLE_EQ(collector->toRain(100, RainUnit::Inch), c.inchesFor100Tips);
        EXPECT_DOUBLE_EQ(collector->toRain(100, RainUnit::Millimetre), c.millimetresFor100Tips);
    }
    EXPECT_FALSE(configuredRainCollector(0));
    EXPECT_FALSE(configuredRainCollector(4));
}

TEST(RainCollector, RainBackToTipsRoundsHalfUp)
{
    const RainCollector hundredth;
    EXPECT_EQ(hundredth.toTips(0.124, RainUnit::Inch), 12);
    EXPECT_EQ(hundredth.toTips(0.125, RainUnit::Inch), 13);
    EXPECT_EQ(hundredth.toTips(2.54, RainUnit::Millimetre), 10);
    const auto fifthMm = configuredRainCollector(3);
    EXPECT_EQ(fifthMm->toTips(1.0, RainUnit::Millimetre), 5);
    EXPECT_EQ(fifthMm->toTips(0.09, RainUnit::Millimetre), 0);
}

TEST(RainCollector, OtherAmountsConvertByTheirOwnSize)
{
    const auto halfMm = RainCollector::fromAmount(0.5, CollectorUnit::Millimetre);
    ASSERT_TRUE(halfMm);
    EXPECT_DOUBLE_EQ(halfMm->toRain(4, RainUnit::Millimetre), 2.0);
    EXPECT_EQ(halfMm->tipsPerInch(), 51);
    // 0.1 mm is not the 0.1 inch collector though both are "100" in thousandths.
    const auto tenthMm = RainCollector::fromAmount(0.1, CollectorUnit::Millimetre);
    EXPECT_NEAR(tenthMm->toRain(10, RainUnit::Millimetre), 1.0, 1e-12);
}

} // namespace
} // namespace bv::station
