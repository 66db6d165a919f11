#include "units/conversions.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace bv::units {
namespace {

using TU = TemperatureUnit;
using BU = BarometerUnit;
using WU = WindUnit;
using SF = StationFamily;

struct TemperatureCase {
    int raw;
    TU unit;
    SF family;
    float expected;
};

TEST(Conversions, RawTemperaturesReadInDisplayUnits)
{
    const TemperatureCase cases[] = {
        {320, TU::Fahrenheit, SF::Classic, 32.0f},
        {320, TU::Celsius, SF::Classic, 0.0f},
        {-400, TU::Fahrenheit, SF::Classic, -40.0f},
        {-400, TU::Celsius, SF::Classic, -40.0f},
        {986, TU::Celsius, SF::Tirrel, 37.0f},
        {2047, TU::Fahrenheit, SF::Tirrel, kMissingValue},
        {2048, TU::Celsius, SF::Tirrel, kMissingValue},
        {2047, TU::Fahrenheit, SF::Classic, 204.7f},
        {2048, TU::Fahrenheit, SF::Classic, 204.8f},
        {32767, TU::Fahrenheit, SF::Classic, kMissingValue},
        {-32768, TU::Celsius, SF::Classic, kMissingValue},
        {32767, TU::Celsius, SF::Tirrel, kMissingValue},
        {-32768, TU::Fahrenheit, SF::Tirrel, kMissingValue},
        {32766, TU::Fahrenheit, SF::Classic, 3276.6f},
    };
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(toTemperature(c.raw, c.unit, c.family), c.expected) << "raw " << c.raw;
    }
}

TEST(Conversions, TemperatureDifferencesHaveNoOffsetAndOnlyTirrelMarkers)
{
    const TemperatureCase cases[] = {
        {18, TU::Fahrenheit, SF::Classic, 1.8f},
        {18, TU::Celsius, SF::Classic, 1.0f},
        {-90, TU::Celsius, SF::Tirrel, -5.0f},
        {2047, TU::Fahrenheit, SF::Tirrel, 204.7f},
        {32767, TU::Fahrenheit, SF::Tirrel, kMissingValue},
        {-32768, TU::Celsius, SF::Tirrel, kMissingValue},
        {32767, TU::Fahrenheit, SF::Classic, 3276.7f},
    };
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(toTemperatureDifference(c.raw, c.unit, c.family), c.expected)
            << "raw " << c.raw;
    }
}

TEST(Conversions, BarometerAndWindReadInDisplayUnits)
{
    EXPECT_NEAR(toBarometer(29920, BU::Inch), 29.92, 1e-5);
    EXPECT_NEAR(toBarometer(29920, BU::Millimetre), 759.968, 1e-3);
    EXPECT_NEAR(toBarometer(29920, BU::Millibar), 1013.21, 5e-3);
    EXPECT_NEAR(toBarometer(29920, BU::Hectopascal), 1013.21, 5e-3);

    EXPECT_FLOAT_EQ(toWindSpeed(10, WU::Mph), 10.0f);
    EXPECT_NEAR(toWindSpeed(10, WU::Knot), 8.70, 5e-3);
    EXPECT_NEAR(toWindSpeed(10, WU::KmPerHour), 16.09, 5e-3);
    EXPECT_NEAR(toWindSpeed(10, WU::MetresPerSecond), 4.47, 5e-3);
}

TEST(Conversions, DisplayValuesWriteAsRawUnits)
{
    EXPECT_EQ(fromBarometer(1013.2, BU::Hectopascal), 29920);
    EXPECT_EQ(fromBarometer(1013.2, BU::Millibar), 29920);
    EXPECT_EQ(fromBarometer(760, BU::Millimetre), 29921);
    EXPECT_EQ(fromBarometer(29.92, BU::Inch), 29920);

    EXPECT_EQ(fromTemperature(32.0, TU::Fahrenheit), 320);
    EXPECT_EQ(fromTemperature(0.0, TU::Celsius), 320);
    EXPECT_EQ(fromTemperature(-40.0, TU::Celsius), -400);
    EXPECT_EQ(fromTemperature(-0.05, TU::Fahrenheit), 0); // toward zero
    EXPECT_EQ(fromTemperature(12.38, TU::Fahrenheit), 123);
    EXPECT_EQ(fromTemperatureDifference(1.0, TU::Celsius), 18);
    EXPECT_EQ(fromTemperatureDifference(-1.8, TU::Fahrenheit), -18);

    EXPECT_EQ(fromWindSpeed(10, WU::Mph), 10);
    EXPECT_EQ(fromWindSpeed(10, WU::Knot), 12); // written back with 1.151
    EXPECT_EQ(fromWindSpeed(16.09, WU::KmPerHour), 10);
    EXPECT_EQ(fromWindSpeed(4.47, WU::MetresPerSecond), 10);
}

TEST(Conversions, ValuesOutsideTheIntRangeSaturate)
{
    EXPECT_EQ(fromTemperature(1e12, TU::Fahrenheit), std::numeric_limits<int>::max());
    EXPECT_EQ(fromBarometer(-1e12, BU::Inch), std::numeric_limits<int>::min());
    EXPECT_EQ(fromWindSpeed(std::numeric_limits<double>::infinity(), WU::Knot),
              std::numeric_limits<int>::max());
    EXPECT_EQ(fromTemperature(std::nan(""), TU::Celsius), 0);
}

// A value read from the station is held as a float; writing it back must give the
// raw value it came from (73.7 °F is 73.69999695 as a float).
TEST(Conversions, ReadValuesWriteBackUnchanged)
{
    for (const TU unit : {TU::Fahrenheit, TU::Celsius}) {
        for (int raw = -2000; raw <= 3000; ++raw) {
            ASSERT_EQ(fromTemperature(toTemperature(raw, unit, SF::Classic), unit), raw);
            ASSERT_EQ(
                fromTemperatureDifference(toTemperatureDifference(raw, unit, SF::Classic), unit),
                raw);
        }
    }
    for (const BU unit : {BU::Inch, BU::Millimetre, BU::Millibar, BU::Hectopascal}) {
        for (int raw = 20000; raw <= 33000; ++raw) {
            ASSERT_EQ(fromBarometer(toBarometer(raw, unit), unit), raw);
        }
    }
    for (const WU unit : {WU::Mph, WU::Knot, WU::KmPerHour, WU::MetresPerSecond}) {
        for (int mph = 0; mph <= 250; ++mph) {
            ASSERT_EQ(fromWindSpeed(toWindSpeed(mph, unit), unit), mph);
        }
    }
}

TEST(Conversions, PlainTemperatureHelpers)
{
    EXPECT_FLOAT_EQ(celsiusToFahrenheit(100), 212.0f);
    EXPECT_FLOAT_EQ(celsiusToFahrenheit(-40), -40.0f);
    EXPECT_FLOAT_EQ(fahrenheitToCelsius(212), 100.0f);
    EXPECT_FLOAT_EQ(fahrenheitToCelsius(32), 0.0f);
}

TEST(UnitsSelection, OutOfRangeCodesLeaveTheUnitInForce)
{
    UnitsSelection units;
    applyUnitCodes(units, 1, 1, 3, 2);
    EXPECT_EQ(units,
              (UnitsSelection{TU::Celsius, RainUnit::Millimetre, BU::Hectopascal, WU::KmPerHour}));
    applyUnitCodes(units, 2, -1, 4, 255);
    EXPECT_EQ(units,
              (UnitsSelection{TU::Celsius, RainUnit::Millimetre, BU::Hectopascal, WU::KmPerHour}));
    applyUnitCodes(units, 0, 0, 0, 3);
    EXPECT_EQ(units,
              (UnitsSelection{TU::Fahrenheit, RainUnit::Inch, BU::Inch, WU::MetresPerSecond}));
}

TEST(UnitsSelection, LabelsAreThoseOfTheUnitsDialog)
{
    EXPECT_EQ(unitLabel(TU::Fahrenheit), "\u00B0F");
    EXPECT_EQ(unitLabel(TU::Celsius), "\u00B0C");
    EXPECT_EQ(unitLabel(RainUnit::Millimetre), "mm");
    EXPECT_EQ(unitLabel(BU::Millibar), "mb");
    EXPECT_EQ(unitLabel(BU::Hectopascal), "hPa");
    EXPECT_EQ(unitLabel(WU::Knot), "knot");
    EXPECT_EQ(unitLabel(WU::KmPerHour), "km/hr");
    EXPECT_EQ(unitLabel(WU::MetresPerSecond), "m/s");
}

} // namespace
} // namespace bv::units
