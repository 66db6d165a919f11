#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "station/weather_values.h"

namespace bv::station {
namespace {

TEST(WeatherValues, FixedDecimalsRoundHalfAwayFromZero)
{
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {2.25, 1, "2.3"},
        {-2.25, 1, "-2.3"},
        {0.125, 2, "0.13"},
        {72.45f, 1, "72.5"},
        {-40.05f, 1, "-40.1"},
        {9.96, 1, "10.0"},
        {99.95, 1, "100.0"},
        {0.5, 0, "1"},
        {-0.5, 0, "-1"},
        {2.5, 0, "3"},
        {2.4999, 0, "2"},
        {7, 0, "7"},
        {-0.04, 1, "0.0"},
        {-0.0, 2, "0.00"},
        {1e-7, 2, "0.00"},
        {29.92, 2, "29.92"},
        {1013.211, 2, "1013.21"},
        {759.968, 1, "760.0"},
        {12345678.9, 1, "12345678.9"},
        {3, 2, "3.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatFixed(c.value, c.decimals), c.text) << c.value << " " << c.decimals;
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::quiet_NaN(), 1), "----");
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::infinity(), 1), "----");
}

TEST(WeatherValues, MarkersAreStatesNotNumbers)
{
    struct Case {
        WeatherValue value;
        ValueState state;
        const char* text;
    };
    const Case cases[] = {
        {WeatherValue::fromReading(-100), ValueState::Missing, "----"},
        {WeatherValue::fromReading(-100.0f), ValueState::Missing, "----"},
        {WeatherValue::fromReading(-101), ValueState::NoAnswer, "----"},
        {WeatherValue::fromReading(-100.5), ValueState::Present, "-100.5"},
        {WeatherValue::fromReading(-99.95), ValueState::Present, "-100.0"},
        {WeatherValue::fromReading(0), ValueState::Present, "0.0"},
        {WeatherValue::number(-100), ValueState::Present, "-100.0"},
        {WeatherValue::missing(), ValueState::Missing, "----"},
        {WeatherValue::noAnswer(), ValueState::NoAnswer, "----"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value.state(), c.state) << c.text;
        EXPECT_EQ(c.value.value().has_value(), c.state == ValueState::Present) << c.text;
        EXPECT_EQ(valueText(c.value, 1), c.text);
    }
}

TEST(WeatherValues, CompassTextOfTheTruncatedSector)
{
    struct Case {
        double degrees;
        const char* text;
    };
    const Case cases[] = {
        {0, "N"},       {22.4, "N"},    {22.5, "NNE"},  {90, "E"},     {200, "S"},
        {202.5, "SSW"}, {359, "NNW"},   {359.9, "NNW"}, {360, "----"}, {382.5, "----"},
        {-1, "----"},   {-100, "----"}, {-101, "----"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(compassText(c.degrees), c.text) << c.degrees;
    EXPECT_EQ(compassText(WeatherValue::fromReading(-100)), "----");
    EXPECT_EQ(compassText(WeatherValue::number(45)), "NE");
}

TEST(WeatherValues, TrendWordsOnlyForAShownTrend)
{
    EXPECT_EQ(trendText(BarometerTrend::Steady), "steady");
    EXPECT_EQ(trendText(BarometerTrend::Rising), "rising");
    EXPECT_EQ(trendText(BarometerTrend::Falling), "falling");
    EXPECT_EQ(trendText(BarometerTrend::None), std::nullopt);
    EXPECT_EQ(trendText(BarometerTrend::NoAnswer), std::nullopt);
}

TEST(WeatherValues, UnitLabelsFollowTheSelection)
{
    units::UnitsSelection metric{units::TemperatureUnit::Celsius, units::RainUnit::Millimetre,
                                 units::BarometerUnit::Hectopascal,
                                 units::WindUnit::MetresPerSecond};
    struct Case {
        Quantity quantity;
        const char* imperial;
        const char* metricLabel;
    };
    const Case cases[] = {
        {Quantity::Temperature, "°F", "°C"},    {Quantity::Humidity, "%", "%"},
        {Quantity::Barometer, "in", "hPa"},     {Quantity::WindSpeed, "mph", "m/s"},
        {Quantity::WindDirection, "°", "°"},    {Quantity::Rain, "in", "mm"},
        {Quantity::RainRate, "in/hr", "mm/hr"}, {Quantity::LeafWetness, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(unitLabel(c.quantity, {}), c.imperial);
        EXPECT_EQ(unitLabel(c.quantity, metric), c.metricLabel);
    }
}

} // namespace
} // namespace bv::station
