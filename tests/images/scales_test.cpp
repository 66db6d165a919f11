// The scale rules of the gauges and line graphs; expected scales worked out by
// hand from the rules.
#include <gtest/gtest.h>

#include "images/gauge_scales.h"
#include "images/graph_scales.h"

namespace bv::images {
namespace {

using units::BarometerUnit;

TEST(GaugeScales, DialMaximumSteps)
{
    const struct {
        double speed;
        int maximum;
    } cases[] = {{0, 20}, {20, 20}, {20.5, 100}, {100, 100}, {150, 200}, {300, 300}};
    for (const auto& c : cases)
        EXPECT_EQ(dialMaximum(c.speed), c.maximum) << c.speed;
}

TEST(GaugeScales, TemperatureAndWindChill)
{
    const struct {
        double value, high, low;
        Scale scale;
    } temperature[] = {
        {50, -100, -100, {0, 100}},  {-5, -100, -100, {-20, 80}}, {-20, -100, -100, {-20, 80}},
        {105, -100, -100, {0, 200}}, {25, 31, -3, {-20, 100}},    {25, -101, -101, {0, 100}},
        {150, 250, 10, {0, 300}},    {40, 45, -101, {0, 100}},    {-30, -101, -45, {-60, 100}},
    };
    for (const auto& c : temperature)
        EXPECT_EQ(temperatureScale(c.value, c.high, c.low), c.scale)
            << c.value << " " << c.high << " " << c.low;

    const struct {
        double value, low;
        Scale scale;
    } windChill[] = {
        {-4, -12, {-20, 100}}, {-4, -100, {-20, 80}}, {-4, -101, {-20, 80}}, {130, 5, {0, 200}}};
    for (const auto& c : windChill)
        EXPECT_EQ(windChillScale(c.value, c.low), c.scale) << c.value << " " << c.low;
}

TEST(GaugeScales, RainAndBarometer)
{
    const struct {
        double value;
        Scale scale;
    } rain[] = {{0, {0, 1}},    {0.42, {0, 1}}, {1, {0, 1}},
                {5.3, {0, 10}}, {55, {0, 100}}, {250, {0, 300}}};
    for (const auto& c : rain)
        EXPECT_EQ(rainScale(c.value), c.scale) << c.value;

    EXPECT_EQ(barometerScale(29.92, BarometerUnit::Inch), (Scale{28, 30}));
    EXPECT_EQ(barometerScale(760.0, BarometerUnit::Millimetre), (Scale{735, 785}));
    EXPECT_EQ(barometerScale(1013.2, BarometerUnit::Millibar), (Scale{983, 1043}));
    EXPECT_EQ(barometerScale(1013.2, BarometerUnit::Hectopascal), (Scale{983, 1043}));
}

TEST(GraphScales, FivesRainAndBarometer)
{
    EXPECT_EQ(fivesScale(12.3f, 31.0f), (Scale{10, 35}));
    EXPECT_EQ(fivesScale(20.0f, 21.0f), (Scale{20, 25}));
    EXPECT_EQ(fivesScale(-7.0f, 71.3f), (Scale{-10, 75}));
    EXPECT_EQ(fivesScale(-10.0f, 70.0f), (Scale{-10, 70}));
    EXPECT_EQ(fivesScale(0.0f, 0.4f), (Scale{0, 1}));

    EXPECT_EQ(rainGraphScale(0.0f, 0.4f), (Scale{0, 1}));
    EXPECT_EQ(rainGraphScale(0.5f, 3.2f), (Scale{0, 5}));
    EXPECT_EQ(rainGraphScale(1.2f, 3.5f), (Scale{0, 4}));
    EXPECT_EQ(rainGraphScale(-0.5f, 2.0f), (Scale{-1, 3}));

    EXPECT_EQ(barometerGraphScale(29.8f, 30.1f, BarometerUnit::Inch), (Scale{29, 31}));
    EXPECT_EQ(barometerGraphScale(28.5f, 30.9f, BarometerUnit::Inch), (Scale{28, 30}));
    EXPECT_EQ(barometerGraphScale(1008.0f, 1015.0f, BarometerUnit::Millibar), (Scale{985, 1045}));
    EXPECT_EQ(barometerGraphScale(1008.0f, 1015.0f, BarometerUnit::Hectopascal),
              (Scale{985, 1045}));
    EXPECT_EQ(barometerGraphScale(750.0f, 770.0f, BarometerUnit::Millimetre), (Scale{740, 790}));
    EXPECT_EQ(barometerGraphScale(700.0f, 790.0f, BarometerUnit::Millimetre), (Scale{700, 795}));
}

} // namespace
} // namespace bv::images
