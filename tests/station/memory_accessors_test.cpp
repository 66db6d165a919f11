#include <cmath>

#include <gtest/gtest.h>

#include "memory_map_reader.h"
#include "station/result_codes.h"
#include "station/station_memory_classic.h"
#include "station/station_memory_tirrel.h"
#include "support/virtual_time.h"

namespace bv::station {
namespace {

using testing::MemoryMapReader;

ConditionsUnits metricUnits(units::StationFamily family)
{
    return ConditionsUnits{family,
                           {units::TemperatureUnit::Celsius, units::RainUnit::Millimetre,
                            units::BarometerUnit::Hectopascal, units::WindUnit::KmPerHour},
                           *RainCollector::fromAmount(0.2, CollectorUnit::Millimetre)};
}

class TirrelMemoryTest : public ::testing::Test {
  protected:
    TirrelMemoryTest()
    {
        memory.set(1, 201, {0x2C, 0xF1}); // 3 nibbles: 300 tips
        memory.set(1, 222, {0x07});
        memory.setWord(1, 187, 1234);
        memory.setWord(1, 191, 1000);
        memory.setWord(1, 176, 20); // samples behind the averages
        memory.setWord(1, 163, 0xF352);
        memory.setWord(0, 158, 505);
        memory.set(0, 162, {0x39, 0x30, 0xF0}); // 5 nibbles: 12345
        memory.set(0, 167, {0x25, 0xF0});
        memory.setWord(0, 173, 100);
        memory.set(1, 92, {0x96, 0x00});
        memory.setWord(1, 95, 2000);
        memory.set(1, 100, {0xF4, 0x01});
        memory.set(1, 108, {0xFF, 0x07});
        memory.setWord(1, 51, 0x0800);
        memory.setWord(1, 54, 0x07FF);
        memory.setWord(1, 69, 0x0320);
        memory.setWord(1, 72, 0x0FCE);
        memory.set(1, 117, {105});
        memory.set(1, 119, {127});
        memory.set(0, 138, {0x0E, 0x02});
        memory.set(0, 142, {0xFF, 0x0F});
        memory.setWord(1, 166, 0x0800);
        memory.set(0, 145, {0xFF, 0x07});
        memory.set(0, 98, {25});
        memory.set(1, 139, {0x00, 0x08});
        memory.set(1, 214, {72, 0});
        memory.set(1, 63, {0xF6, 0x0F});
        memory.set(1, 81, {0x0F, 0x00});
        memory.set(1, 133, {0xFE});
        memory.setWord(1, 207, 100);
        memory.setWord(1, 32, 50);
        memory.setWord(0, 106, 3);
    }

    MemoryMapReader memory;
    ConditionsUnits units{units::StationFamily::Tirrel, {}, {}};
    testsupport::VirtualTime time{{2026, 1, 1, 8, 30, 0, 0, 4}};
    TirrelMemory accessors{memory, units, time};
};

struct ValueCase {
    TirrelValue value;
    double expected;
};

TEST_F(TirrelMemoryTest, EveryValueInImperialUnits)
{
    const double missing = -100;
    const ValueCase cases[] = {
        {TirrelValue::DailyRain, 3.0},
        {TirrelValue::LeafWetness, 7},
        {TirrelValue::DailySolarRad, 123.4},
        {TirrelValue::AverageSolarRad, 80.0}, // 1000 x 1.6 / 20
        {TirrelValue::ThermalIndex, 85.0},
        {TirrelValue::DailyWindRun, 50.5},
        {TirrelValue::TotalWindRun, 1234.5},
        {TirrelValue::AverageWindRun, 987.6}, // 12345 x 1.6 / 20
        {TirrelValue::DailyEt, 0.37},
        {TirrelValue::AverageEt, 0.8}, // 100 x 16 / (20 x 100)
        {TirrelValue::DailyDegreeDays, 15.0},
        {TirrelValue::AverageDegreeDays, 160.0}, // 200.0 x 16 / 20
        {TirrelValue::DegreeDayBaseTemp, 50.0},
        {TirrelValue::DegreeDayMaxTemp, missing},
        {TirrelValue::HighSoilTemp, missing},
        {TirrelValue::LowSoilTemp, missing},
        {TirrelValue::HighAirTemp, 80.0},
        {TirrelValue::LowAirTemp, -5.0},
        {TirrelValue::HighOutsideHum, 100},
        {TirrelValue::LowOutsideHum, missing},
        {TirrelValue::DewPoint, 52.6},
        {TirrelValue::WindChill, -0.1},
        {TirrelValue::HighThermalIndex, missing},
        {TirrelValue::LowWindChill, missing},
        {TirrelValue::HighWindSpeed, 25},
        {TirrelValue::WindDirection, missing},
        {TirrelValue::HighRainRate, 1.0}, // 0.01 in x 7200 / 72
        {TirrelValue::SoilTempOffset, -1.0},
        {TirrelValue::AirTempOffset, 1.5},
        {TirrelValue::HumidityOffset, -2},
        {TirrelValue::RainCalibration, 100},
        {TirrelValue::BarometerOffset, -0.05},
        {TirrelValue::WindCalibration, 3},
    };
    ASSERT_EQ(std::size(cases), tirrelMemoryValues().size());
    for (const ValueCase& c : cases)
        EXPECT_NEAR(accessors.read(c.value), c.expected, 1e-4)
            << tirrelMemoryValues()[static_cast<std::size_t>(c.value)].name;
}

TEST_F(TirrelMemoryTest, MetricUnitsAndTheCollector)
{
    units = metricUnits(units::StationFamily::Tirrel);
    const ValueCase cases[] = {
        {TirrelValue::DailyRain, 60.0},       // 300 tips of 0.2 mm
        {TirrelValue::DailyEt, 0.925},        // x 2.5 x 0.01
        {TirrelValue::AverageEt, 2.0},        // 100 x 40 / (20 x 100)
        {TirrelValue::HighRainRate, 20.0},    // 0.2 mm x 7200 / 72
        {TirrelValue::DailyWindRun, 81.2719}, // 50.5 miles as km
        {TirrelValue::AirTempOffset, 0.8333}, {TirrelValue::DailyDegreeDays, 8.3333},
        {TirrelValue::HighAirTemp, 26.6667},  {TirrelValue::BarometerOffset, -1.6932},
    };
    for (const ValueCase& c : cases)
        EXPECT_NEAR(accessors.read(c.value), c.expected, 1e-4)
            << tirrelMemoryValues()[static_cast<std::size_t>(c.value)].name;
}

TEST_F(TirrelMemoryTest, AveragesNeedMoreThanFifteenSamples)
{
    memory.setWord(1, 176, 15);
    for (TirrelValue v : {TirrelValue::AverageSolarRad, TirrelValue::AverageWindRun,
                          TirrelValue::AverageEt, TirrelValue::AverageDegreeDays})
        EXPECT_EQ(accessors.read(v), -100);
    memory.setWord(1, 176, 16);
    EXPECT_NEAR(accessors.read(TirrelValue::AverageSolarRad), 100.0, 1e-9);
}

TEST_F(TirrelMemoryTest, LeafWetnessWithoutASensor)
{
    // One nibble is asked for; the station sets the nibble above it when it has
    // no reading.
    memory.set(1, 222, {0x1F});
    EXPECT_EQ(accessors.read(TirrelValue::LeafWetness), -100);
    memory.set(1, 222, {0x0F});
    EXPECT_EQ(accessors.read(TirrelValue::LeafWetness), 15);
}

TEST_F(TirrelMemoryTest, HighRainRateWithoutRain)
{
    for (std::uint16_t raw : {0, 1919}) {
        memory.setWord(1, 214, raw);
        EXPECT_EQ(accessors.read(TirrelValue::HighRainRate), 0.0) << raw;
    }
}

TEST_F(TirrelMemoryTest, FailedReadsGiveNoAnswerExceptDailyEt)
{
    MemoryMapReader silent;
    TirrelMemory none{silent, units, time};
    EXPECT_EQ(none.read(TirrelValue::DailyRain), kNoAnswer);
    EXPECT_EQ(none.read(TirrelValue::AverageEt), kNoAnswer);
    EXPECT_EQ(none.read(TirrelValue::DailyEt), -100);
    EXPECT_EQ(none.readBarometerTrend(), BarometerTrend::NoAnswer);
    EXPECT_EQ(none.readStationTime().result, kNoAnswer);
    EXPECT_FALSE(none.readCalibration());
    EXPECT_EQ(silent.reads, 6) << "the calibration read stops at the first failure";

    MemoryMapReader sumOnly;
    sumOnly.setWord(1, 191, 1000);
    TirrelMemory noCount{sumOnly, units, time};
    EXPECT_EQ(noCount.read(TirrelValue::AverageSolarRad), kNoAnswer);
}

TEST_F(TirrelMemoryTest, CalibrationOffsets)
{
    const auto offsets = accessors.readCalibration();
    ASSERT_TRUE(offsets);
    EXPECT_FLOAT_EQ(offsets->outsideTemp, 1.5F);
    EXPECT_FLOAT_EQ(offsets->otherTemp, -1.0F);
    EXPECT_EQ(offsets->humidity, -2);
    EXPECT_FLOAT_EQ(offsets->barometer, -0.05F);
}

TEST_F(TirrelMemoryTest, TimesCountBackFromToday)
{
    memory.setWord(1, 84, (875 << 4) | 0);
    memory.setWord(1, 88, (310 << 4) | 2);
    const HighLowTimes air = accessors.readTimes(TirrelTimeOf::AirTemp);
    ASSERT_TRUE(air.high && air.low);
    EXPECT_EQ(air.high->result, kDone);
    EXPECT_EQ(air.high->time, (RecordTime{2026, 1, 1, 14, 35}));
    EXPECT_EQ(air.low->result, kDone);
    EXPECT_EQ(air.low->time, (RecordTime{2025, 12, 30, 5, 10}));

    memory.setWord(0, 148, (100 << 4) | 15);
    const HighLowTimes chill = accessors.readTimes(TirrelTimeOf::LowWindChill);
    EXPECT_FALSE(chill.high);
    ASSERT_TRUE(chill.low);
    EXPECT_EQ(chill.low->result, -100);

    const HighLowTimes wind = accessors.readTimes(TirrelTimeOf::HighWindSpeed);
    ASSERT_TRUE(wind.high);
    EXPECT_FALSE(wind.low);
    EXPECT_EQ(wind.high->result, kNoAnswer);
}

TEST_F(TirrelMemoryTest, StationClockAndTrend)
{
    memory.set(1, 148, {0x09, 0x30});
    memory.set(1, 158, {0x07, 0xEC, 0x07});
    const TimeReading clock = accessors.readStationTime();
    EXPECT_EQ(clock.result, kDone);
    EXPECT_EQ(clock.time, (RecordTime{2026, 12, 7, 9, 30}));

    memory.set(0, 122, {0x02});
    EXPECT_EQ(accessors.readBarometerTrend(), BarometerTrend::Rising);
}

class ClassicMemoryTest : public ::testing::Test {
  protected:
    MemoryMapReader memory;
    ConditionsUnits units{units::StationFamily::Classic, {}, {}};
    ClassicMemory accessors{memory, units};
};

TEST_F(ClassicMemoryTest, ValuesAndMarkers)
{
    struct Case {
        ClassicValue value;
        int bank;
        int address;
        std::vector<std::uint8_t> bytes;
        double expected;
    };
    const Case cases[] = {
        {ClassicValue::DailyRain, 1, 210, {0xFA, 0x00}, 2.5},
        {ClassicValue::HighInsideTemp, 1, 52, {0xFF, 0x7F}, -100},
        {ClassicValue::LowInsideTemp, 1, 56, {0xCE, 0xFF}, -5.0},
        {ClassicValue::HighOutsideTemp, 1, 90, {0xFF, 0x07}, 204.7}, // 2047 is no marker here
        {ClassicValue::LowOutsideTemp, 1, 94, {0x00, 0x80}, -100},
        {ClassicValue::HighInsideHum, 1, 130, {101}, 100},
        {ClassicValue::LowInsideHum, 1, 132, {30}, 30},
        {ClassicValue::HighOutsideHum, 1, 154, {128}, -100},
        {ClassicValue::LowOutsideHum, 1, 156, {127}, -100},
        {ClassicValue::DewPoint, 0, 138, {0x00, 0x80}, -100},
        {ClassicValue::HighDewPoint, 0, 142, {0x0E, 0x02}, 52.6},
        {ClassicValue::LowDewPoint, 0, 146, {0xF4, 0x01}, 50.0},
        {ClassicValue::WindChill, 0, 168, {0xFF, 0x7F}, -100},
        {ClassicValue::LowWindChill, 0, 172, {0x9C, 0xFF}, -10.0},
        {ClassicValue::HighWindSpeed, 0, 96, {40, 0}, 40},
        {ClassicValue::WindDirection, 1, 180, {0x67, 0x01}, 359},
        {ClassicValue::RainRate, 1, 206, {12, 0}, 0.12},
        {ClassicValue::InsideTempOffset, 1, 82, {0xF6, 0xFF}, -1.0},
        {ClassicValue::OutsideTempOffset, 1, 120, {0x00, 0x00}, 0},
        {ClassicValue::HumidityOffset, 1, 218, {0xFD, 0xFF}, -3},
        {ClassicValue::RainCalibration, 1, 214, {0xFE, 0x12}, -2}, // the low byte, signed
        {ClassicValue::BarometerOffset, 1, 44, {0x14, 0x00}, -0.02},
    };
    ASSERT_EQ(std::size(cases), classicMemoryValues().size());
    for (const Case& c : cases) {
        memory.set(c.bank, c.address, c.bytes);
        EXPECT_NEAR(accessors.read(c.value), c.expected, 1e-4)
            << classicMemoryValues()[static_cast<std::size_t>(c.value)].name;
    }
}

TEST_F(ClassicMemoryTest, ZeroOffsetsReadAsPlusZero)
{
    units.selection.temperature = units::TemperatureUnit::Celsius;
    units.selection.barometer = units::BarometerUnit::Millibar;
    memory.set(1, 120, {0x00, 0x00});
    memory.set(1, 44, {0x00, 0x00});
    EXPECT_FALSE(std::signbit(accessors.read(ClassicValue::OutsideTempOffset)));
    EXPECT_FALSE(std::signbit(accessors.read(ClassicValue::BarometerOffset)));
}

TEST_F(ClassicMemoryTest, TimesOfPairsAndSingles)
{
    memory.set(1, 98, {0x14, 0x35, 0x05, 0x10});
    memory.set(1, 106, {0x21, 0x96, 0x71});
    const HighLowTimes out = accessors.readTimes(ClassicTimeOf::OutsideTemp);
    ASSERT_TRUE(out.high && out.low);
    EXPECT_EQ(out.high->time, (RecordTime{0, 6, 21, 14, 35}));
    EXPECT_EQ(out.low->time, (RecordTime{0, 7, 19, 5, 10}));

    memory.set(0, 176, {0x23, 0x59});
    memory.set(0, 180, {0x31, 0x0C});
    const HighLowTimes chill = accessors.readTimes(ClassicTimeOf::LowWindChill);
    EXPECT_FALSE(chill.high);
    ASSERT_TRUE(chill.low);
    EXPECT_EQ(chill.low->result, kDone);
    EXPECT_EQ(chill.low->time, (RecordTime{0, 12, 31, 23, 59}));

    memory.set(0, 100, {0x23, 0x59}); // the date never comes
    const HighLowTimes wind = accessors.readTimes(ClassicTimeOf::HighWindSpeed);
    ASSERT_TRUE(wind.high);
    EXPECT_FALSE(wind.low);
    EXPECT_EQ(wind.high->result, kNoAnswer);

    const HighLowTimes dew = accessors.readTimes(ClassicTimeOf::DewPoint);
    ASSERT_TRUE(dew.high && dew.low);
    EXPECT_EQ(dew.high->result, kNoAnswer);
    EXPECT_EQ(dew.low->result, kNoAnswer);
}

TEST_F(ClassicMemoryTest, StationClockHasNoYear)
{
    memory.set(1, 190, {0x17, 0x45, 0x30});
    memory.set(1, 200, {0x07, 0x0C});
    const TimeReading clock = accessors.readStationTime();
    EXPECT_EQ(clock.result, kDone);
    EXPECT_EQ(clock.time, (RecordTime{0, 12, 7, 17, 45}));

    memory.set(1, 200, {0x07, 0x00});
    EXPECT_EQ(accessors.readStationTime().result, -100); // month 0
}

} // namespace
} // namespace bv::station
