#include "station/derived_values.h"

#include <gtest/gtest.h>

namespace bv::station {
namespace {

constexpr double kMissing = -100;

struct DerivedCase {
    int hum;
    double tempF;
    double expected;
};

TEST(DewPoint, MissingOutsideItsRange)
{
    for (const DerivedCase& c :
         {DerivedCase{0, 70, kMissing}, DerivedCase{101, 70, kMissing},
          DerivedCase{-100, 70, kMissing}, DerivedCase{50, -100, kMissing},
          DerivedCase{50, -100.5, kMissing}, DerivedCase{50, 200.1, kMissing}})
        EXPECT_EQ(dewPoint(c.hum, c.tempF), c.expected) << c.hum << " % " << c.tempF << " °F";
}

TEST(DewPoint, FollowsTheMagnusFormulaWithItsTwoConstants)
{
    EXPECT_NEAR(dewPoint(50, 70), 50.5263, 1e-4);
    EXPECT_NEAR(dewPoint(80, 32), 26.5405, 1e-4);
    // 17.502 against 17.5 puts the saturated dew point a little above the temperature.
    EXPECT_NEAR(dewPoint(100, 70), 70.0047, 1e-4);
}

struct ChillCase {
    int speedMph;
    double tempF;
    double expected;
};

TEST(WindChill, TableRowsAndLimits)
{
    const ChillCase cases[] = {
        {50, 30, -7.4},                          // row 0: A = 156
        {60, 30, -7.4},                          // capped at 50 mph
        {12, 20, 0.1},                           // row 8 with two steps of B = 82 sixteenths
        {49, 30, -7.2},                          // row 1: 151 + 4 x 16/16
        {4, 20, 20},                             // below 5 mph the chill is the temperature
        {0, -40, -40},         {30, 91.4, 91.4}, // no chill at 91.4 °F and above
        {30, 95, 95},          {-7, 20, 20},     // a negative speed counts as calm
        {30, 220.5, kMissing}, {30, -100.5, kMissing}, {30, -100, kMissing}, {-100, 20, kMissing},
    };
    for (const ChillCase& c : cases)
        EXPECT_NEAR(windChill(c.speedMph, c.tempF), c.expected, 1e-9)
            << c.speedMph << " mph " << c.tempF << " °F";
}

TEST(WindChill, RoundedToTenthsAlikeOnBothSidesOfZero)
{
    // 30 + 156 x (30 - 91.4) / 256 = -7.4156
    EXPECT_DOUBLE_EQ(windChill(50, 30), -7.4);
    // 40 + 133 x (40 - 91.4) / 256 = 13.296
    EXPECT_DOUBLE_EQ(windChill(30, 40), 13.3);
    // A calm -40 °F stays -40, not -39.9.
    EXPECT_DOUBLE_EQ(windChill(0, -40), -40);
    EXPECT_DOUBLE_EQ(windChill(0, -12.25), -12.3);
}

TEST(ThermalIndex, ReadsAndInterpolatesTheTable)
{
    const DerivedCase cases[] = {
        {45, 95, 101.5},  // row 27 between the 40 % (99) and 50 % (104) columns
        {50, 80, 80},     // a whole column
        {100, 68, 70},    // first row, last column
        {10, 121.6, 118}, // rounds up into the last row
        {10, 122.4, 150}, // above 122 °F
        {5, 68.4, 62},    // 61 + 0.5 x (63 - 61)
        {50, 122.6, 150}, // above the table
        {50, 200, 150},       {0, 80, kMissing},     {101, 80, kMissing},
        {50, 67.9, kMissing}, {50, 200.1, kMissing}, {-100, 80, kMissing},
    };
    for (const DerivedCase& c : cases)
        EXPECT_NEAR(thermalIndex(c.hum, c.tempF), c.expected, 1e-9)
            << c.hum << " % " << c.tempF << " °F";
}

TEST(ThermalIndexTable, RisesWithTemperatureAndHumidity)
{
    for (std::size_t row = 0; row < ThermalIndexTable.size(); ++row)
        for (std::size_t col = 0; col < ThermalIndexTable[row].size(); ++col) {
            if (col + 1 < ThermalIndexTable[row].size()) {
                EXPECT_LE(ThermalIndexTable[row][col], ThermalIndexTable[row][col + 1])
                    << "row " << row;
            }
            if (row + 1 < ThermalIndexTable.size()) {
                EXPECT_LE(ThermalIndexTable[row][col], ThermalIndexTable[row + 1][col])
                    << "column " << col;
            }
        }
    EXPECT_EQ(ThermalIndexTable.front()[0], 61);
    EXPECT_EQ(ThermalIndexTable.back()[2], 136);
}

TEST(DeriveWeather, WorksInTheUsersUnits)
{
    const units::UnitsSelection metric{units::TemperatureUnit::Celsius, units::RainUnit::Millimetre,
                                       units::BarometerUnit::Hectopascal,
                                       units::WindUnit::MetresPerSecond};
    // 21.1111 °C is 70 °F; 22.352 m/s is 50 mph.
    const DerivedWeather d = deriveWeather(21.1111, 50, 22.352, metric);
    EXPECT_NEAR(d.dewPoint, (50.5263 - 32) * 5 / 9, 1e-3);
    EXPECT_NEAR(d.windChill, (windChill(50, 70) - 32) * 5 / 9, 1e-3);
    EXPECT_NEAR(d.thermalIndex, (thermalIndex(50, 70) - 32) * 5 / 9, 1e-3);

    const DerivedWeather imperial = deriveWeather(70, 50, 50, {});
    EXPECT_NEAR(imperial.dewPoint, 50.5263, 1e-4);
    EXPECT_DOUBLE_EQ(imperial.windChill, windChill(50, 70));

    // A missing temperature is not taken for -100 °C.
    const DerivedWeather missing = deriveWeather(-100, 50, 5, metric);
    EXPECT_EQ(missing.dewPoint, kMissing);
    EXPECT_EQ(missing.windChill, kMissing);
    EXPECT_EQ(missing.thermalIndex, kMissing);
    EXPECT_EQ(deriveWeather(20, 50, -100, metric).windChill, kMissing);
}

} // namespace
} // namespace bv::station
