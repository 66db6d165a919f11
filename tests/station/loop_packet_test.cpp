#include "station/loop_packet.h"

#include <gtest/gtest.h>

#include "loop_packets.h"
#include "station/result_codes.h"

namespace bv::station {
namespace {

using testing::ClassicLoopFields;
using testing::TirrelLoopFields;

ConditionsUnits imperial(units::StationFamily family)
{
    return ConditionsUnits{family, {}, {}};
}

ConditionsUnits metric(units::StationFamily family)
{
    return ConditionsUnits{family,
                           {units::TemperatureUnit::Celsius, units::RainUnit::Millimetre,
                            units::BarometerUnit::Hectopascal, units::WindUnit::KmPerHour},
                           *RainCollector::fromAmount(0.2, CollectorUnit::Millimetre)};
}

const ConditionsUnits kTirrelImperial = imperial(units::StationFamily::Tirrel);
const ConditionsUnits kClassicImperial = imperial(units::StationFamily::Classic);

TEST(TirrelLoop, DecodesEveryFieldInImperialUnits)
{
    const auto d = decodeTirrelLoop(testing::tirrelLoopPacket({}), kTirrelImperial);
    ASSERT_EQ(d.result, kDone);
    const TirrelConditions& c = d.conditions;
    EXPECT_EQ(c.rawWord, 0x1234);
    EXPECT_EQ(c.rawByte, -123);
    EXPECT_NEAR(c.soilTemp, 72.5, 1e-4);
    EXPECT_NEAR(c.airTemp, 68.1, 1e-4);
    EXPECT_FLOAT_EQ(c.windSpeed, 12);
    EXPECT_EQ(c.windDir, 270);
    EXPECT_NEAR(c.barometer, 29.92, 1e-4);
    EXPECT_NEAR(c.rainRate, 0.5, 1e-6);
    EXPECT_EQ(c.outsideHum, 55);
    EXPECT_NEAR(c.rain, 1.23, 1e-5);
    EXPECT_EQ(c.solarRad, 850);
    EXPECT_NEAR(c.windRun, 1234.5, 1e-3);
    EXPECT_NEAR(c.et, 0.37, 1e-6);
    EXPECT_NEAR(c.degreeDays, 25.0, 1e-4);
    EXPECT_NEAR(c.solarEnergy, 500.0, 1e-3);
    EXPECT_EQ(c.rawCounter, 0x123456U);
    EXPECT_EQ(c.leafWetness, kMissingInt);
}

TEST(TirrelLoop, ConvertsToMetricUnitsAndTheCollector)
{
    const auto d =
        decodeTirrelLoop(testing::tirrelLoopPacket({}), metric(units::StationFamily::Tirrel));
    ASSERT_EQ(d.result, kDone);
    const TirrelConditions& c = d.conditions;
    EXPECT_NEAR(c.soilTemp, 22.5, 1e-4);
    EXPECT_NEAR(c.airTemp, 20.0556, 1e-4);
    EXPECT_NEAR(c.windSpeed, 19.3121, 1e-4);
    EXPECT_NEAR(c.barometer, 1013.211, 1e-3);
    EXPECT_NEAR(c.rainRate, 12.7, 1e-4);
    EXPECT_NEAR(c.rain, 24.6, 1e-4); // 123 tips of 0.2 mm
    EXPECT_NEAR(c.et, 0.925, 1e-6);  // x 2.5 x 0.01 in millimetres
    EXPECT_NEAR(c.degreeDays, 13.8889, 1e-4);
}

TEST(TirrelLoop, MarkersGiveMissingValues)
{
    TirrelLoopFields f;
    f.soilTemp = 2047;
    f.airTemp = static_cast<std::int16_t>(0x8000);
    f.windDir = 2048;
    f.rainRate = 255;
    f.outsideHum = 128;
    f.solarRad = 4095;
    const auto d = decodeTirrelLoop(testing::tirrelLoopPacket(f), kTirrelImperial);
    ASSERT_EQ(d.result, kDone);
    EXPECT_FLOAT_EQ(d.conditions.soilTemp, -100);
    EXPECT_FLOAT_EQ(d.conditions.airTemp, -100);
    EXPECT_EQ(d.conditions.windDir, -100);
    EXPECT_FLOAT_EQ(d.conditions.rainRate, -100);
    EXPECT_EQ(d.conditions.outsideHum, -100);
    EXPECT_EQ(d.conditions.solarRad, -100);

    f = {};
    f.airTemp = 2048;
    EXPECT_FLOAT_EQ(
        decodeTirrelLoop(testing::tirrelLoopPacket(f), kTirrelImperial).conditions.airTemp, -100);
}

TEST(TirrelLoop, LeafWetnessFlagTakesThePlaceOfSoilTemperature)
{
    TirrelLoopFields f;
    f.leafByte = 0x47;
    const auto d = decodeTirrelLoop(testing::tirrelLoopPacket(f), kTirrelImperial);
    ASSERT_EQ(d.result, kDone);
    EXPECT_EQ(d.conditions.leafWetness, 7);
    EXPECT_FLOAT_EQ(d.conditions.soilTemp, -100);
}

std::vector<std::uint8_t> corrupted(std::vector<std::uint8_t> packet, std::size_t at)
{
    packet[at] ^= 0x10;
    return packet;
}

std::vector<std::uint8_t> truncated(std::vector<std::uint8_t> packet)
{
    packet.pop_back();
    return packet;
}

struct BadPacketCase {
    const char* name;
    std::vector<std::uint8_t> packet;
    int expected;
};

TEST(TirrelLoop, RejectsBadPackets)
{
    const auto good = testing::tirrelLoopPacket({});
    std::vector<std::uint8_t> garbage(kTirrelLoopSize);
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<std::uint8_t>(i * 37 + 11);
    garbage[0] = 0x01;
    std::vector<std::uint8_t> badStart = good;
    badStart[0] = 0x06; // the CRC does not cover the start byte
    const BadPacketCase cases[] = {
        {"bit flip in the data", corrupted(good, 6), kTirrelCrcError},
        {"bit flip in the CRC", corrupted(good, 35), kTirrelCrcError},
        {"garbage", garbage, kTirrelCrcError},
        {"bad start byte", badStart, kBadPacketStart},
        {"truncated", truncated(good), kNoAnswer},
        {"empty", {}, kNoAnswer},
    };
    for (const BadPacketCase& c : cases)
        EXPECT_EQ(decodeTirrelLoop(c.packet, kTirrelImperial).result, c.expected) << c.name;
}

TEST(ClassicLoop, DecodesEveryField)
{
    const auto d = decodeClassicLoop(testing::classicLoopPacket({}), kClassicImperial);
    ASSERT_EQ(d.result, kDone);
    const ClassicConditions& c = d.conditions;
    EXPECT_NEAR(c.insideTemp, 70.5, 1e-4);
    EXPECT_NEAR(c.outsideTemp, 45.2, 1e-4);
    EXPECT_FLOAT_EQ(c.windSpeed, 7);
    EXPECT_EQ(c.windDir, 45);
    EXPECT_NEAR(c.barometer, 30.012, 1e-4);
    EXPECT_EQ(c.insideHum, 40);
    EXPECT_EQ(c.outsideHum, 88);
    EXPECT_NEAR(c.rain, 2.5, 1e-5);

    const auto m =
        decodeClassicLoop(testing::classicLoopPacket({}), metric(units::StationFamily::Classic));
    ASSERT_EQ(m.result, kDone);
    EXPECT_NEAR(m.conditions.outsideTemp, 7.3333, 1e-4);
    EXPECT_NEAR(m.conditions.rain, 50.0, 1e-4);
}

TEST(ClassicLoop, MarkersGiveMissingValues)
{
    ClassicLoopFields f;
    f.insideTemp = 0x7FFF;
    f.outsideTemp = static_cast<std::int16_t>(0x8000);
    f.windDir = static_cast<std::int16_t>(0x8000);
    f.insideHum = 128;
    f.outsideHum = 128;
    const auto d = decodeClassicLoop(testing::classicLoopPacket(f), kClassicImperial);
    ASSERT_EQ(d.result, kDone);
    EXPECT_FLOAT_EQ(d.conditions.insideTemp, -100);
    EXPECT_FLOAT_EQ(d.conditions.outsideTemp, -100);
    EXPECT_EQ(d.conditions.windDir, -100);
    EXPECT_EQ(d.conditions.insideHum, -100);
    EXPECT_EQ(d.conditions.outsideHum, -100);

    // 2047 is a Tirrel marker only.
    f = {};
    f.outsideTemp = 2047;
    EXPECT_NEAR(
        decodeClassicLoop(testing::classicLoopPacket(f), kClassicImperial).conditions.outsideTemp,
        204.7, 1e-4);
}

TEST(ClassicLoop, RejectsBadPacketsButNotItsStartByte)
{
    ClassicLoopFields anyStart;
    anyStart.start = 0xFF;
    EXPECT_EQ(decodeClassicLoop(testing::classicLoopPacket(anyStart), kClassicImperial).result,
              kDone);

    const auto good = testing::classicLoopPacket({});
    const BadPacketCase cases[] = {
        {"bit flip in the data", corrupted(good, 3), kClassicCrcError},
        {"bit flip in the CRC", corrupted(good, 17), kClassicCrcError},
        {"a Tirrel packet", testing::tirrelLoopPacket({}), kClassicCrcError},
        {"truncated", truncated(good), kNoAnswer},
    };
    for (const BadPacketCase& c : cases)
        EXPECT_EQ(decodeClassicLoop(c.packet, kClassicImperial).result, c.expected) << c.name;
}

TEST(Calibration, AddsOffsetsAndHoldsHumidityToItsRange)
{
    TirrelConditions t;
    t.airTemp = 70;
    t.soilTemp = -100;
    t.outsideHum = 98;
    t.barometer = 29.9F;
    applyCalibration(t, {1.5F, 2.0F, 5, -0.1F});
    EXPECT_FLOAT_EQ(t.airTemp, 71.5F);
    EXPECT_FLOAT_EQ(t.soilTemp, -100); // missing stays missing
    EXPECT_EQ(t.outsideHum, 100);      // 103 reads 100
    EXPECT_NEAR(t.barometer, 29.8, 1e-5);

    ClassicConditions c;
    c.outsideTemp = -100;
    c.insideTemp = 68;
    c.outsideHum = 1;
    applyCalibration(c, {1.0F, -0.5F, -3, 0});
    EXPECT_FLOAT_EQ(c.outsideTemp, -100);
    EXPECT_FLOAT_EQ(c.insideTemp, 67.5F);
    EXPECT_EQ(c.outsideHum, 0); // -2 reads 0

    c.outsideHum = kMissingInt;
    applyCalibration(c, {0, 0, 50, 0});
    EXPECT_EQ(c.outsideHum, kMissingInt);
}

} // namespace
} // namespace bv::station
