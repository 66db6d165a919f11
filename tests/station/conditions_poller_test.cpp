#include <cerrno>

#include <gtest/gtest.h>

#include "loop_packets.h"
#include "poll_rig.h"
#include "station/result_codes.h"

namespace bv::station {
namespace {

using testing::PollRig;

constexpr std::string_view kCommError = "Station Communication Error. Check station settings.";

bool isTirrel(int modelCode)
{
    return modelCode >= 4;
}

ConditionsUnits defaultUnits(int modelCode)
{
    return ConditionsUnits{
        isTirrel(modelCode) ? units::StationFamily::Tirrel : units::StationFamily::Classic, {}, {}};
}

class EveryModel : public ::testing::TestWithParam<int> {};

TEST_P(EveryModel, PollFillsTheRecordFromTheStationsPacket)
{
    const int model = GetParam();
    PollRig rig(model);
    ASSERT_EQ(rig.poll(), kDone);
    EXPECT_TRUE(rig.conditions.dataValid);
    EXPECT_EQ(rig.commandsHeard("LOOP"), 1);
    EXPECT_TRUE(rig.events.empty());
    if (isTirrel(model)) {
        const auto expected = decodeTirrelLoop(rig.peer.lastPacket(), defaultUnits(model));
        ASSERT_EQ(expected.result, kDone);
        EXPECT_FLOAT_EQ(rig.conditions.tirrel.airTemp, expected.conditions.airTemp);
        EXPECT_FLOAT_EQ(rig.conditions.tirrel.barometer, expected.conditions.barometer);
        EXPECT_EQ(rig.conditions.tirrel.outsideHum, expected.conditions.outsideHum);
        EXPECT_FLOAT_EQ(rig.conditions.tirrel.rain, expected.conditions.rain);
        EXPECT_GT(rig.conditions.tirrel.barometer, 25);
    } else {
        const auto expected = decodeClassicLoop(rig.peer.lastPacket(), defaultUnits(model));
        ASSERT_EQ(expected.result, kDone);
        EXPECT_FLOAT_EQ(rig.conditions.classic.insideTemp, expected.conditions.insideTemp);
        EXPECT_FLOAT_EQ(rig.conditions.classic.outsideTemp, expected.conditions.outsideTemp);
        EXPECT_EQ(rig.conditions.classic.insideHum, expected.conditions.insideHum);
        EXPECT_FLOAT_EQ(rig.conditions.classic.windSpeed, expected.conditions.windSpeed);
        EXPECT_GT(rig.conditions.classic.insideTemp, 32);
    }
}

INSTANTIATE_TEST_SUITE_P(Models, EveryModel, ::testing::Range(0, 6));

TEST(Poll, CalibrationOffsetsAreReadAtEveryPoll)
{
    PollRig rig(5);
    rig.station().stationMemory().setValue({1, 81, 3}, 15); // air +1.5 °F
    rig.station().stationMemory().setValue({1, 133, 2}, 3); // humidity +3 %
    ASSERT_EQ(rig.poll(), kDone);
    auto expected = decodeTirrelLoop(rig.peer.lastPacket(), defaultUnits(5)).conditions;
    EXPECT_NEAR(rig.conditions.tirrel.airTemp, expected.airTemp + 1.5, 1e-4);
    EXPECT_EQ(rig.conditions.tirrel.outsideHum, std::min(expected.outsideHum + 3, 100));

    rig.station().stationMemory().setValue({1, 81, 3}, -10); // -1.0 °F, 12-bit two's complement
    ASSERT_EQ(rig.poll(), kDone);
    expected = decodeTirrelLoop(rig.peer.lastPacket(), defaultUnits(5)).conditions;
    EXPECT_NEAR(rig.conditions.tirrel.airTemp, expected.airTemp - 1.0, 1e-4);

    PollRig classic(0);
    classic.station().stationMemory().setValue({1, 120, 4}, 20); // outside +2.0 °F
    classic.station().stationMemory().setValue({1, 82, 4}, -5);  // inside -0.5 °F
    ASSERT_EQ(classic.poll(), kDone);
    const auto c = decodeClassicLoop(classic.peer.lastPacket(), defaultUnits(0)).conditions;
    EXPECT_NEAR(classic.conditions.classic.outsideTemp, c.outsideTemp + 2.0, 1e-4);
    EXPECT_NEAR(classic.conditions.classic.insideTemp, c.insideTemp - 0.5, 1e-4);
}

TEST(Poll, MissingSensorsReadMinus100)
{
    PollRig rig(4);
    testing::TirrelLoopFields f;
    f.airTemp = 2047;
    f.outsideHum = 128;
    f.windDir = 2048;
    f.solarRad = 4095;
    f.leafByte = 0x45;
    rig.peer.queuePacket(testing::tirrelLoopPacket(f));
    ASSERT_EQ(rig.poll(), kDone);
    const TirrelConditions& t = rig.conditions.tirrel;
    EXPECT_EQ(t.airTemp, -100);
    EXPECT_EQ(t.soilTemp, -100); // the leaf probe replaces the soil probe
    EXPECT_EQ(t.leafWetness, 5);
    EXPECT_EQ(t.outsideHum, -100);
    EXPECT_EQ(t.windDir, -100);
    EXPECT_EQ(t.solarRad, -100);

    PollRig classic(1);
    testing::ClassicLoopFields c;
    c.outsideTemp = static_cast<std::int16_t>(0x8000);
    c.outsideHum = 128;
    classic.station().stationMemory().setValue({1, 218, 4}, 10); // a humidity offset stays off
    classic.peer.queuePacket(testing::classicLoopPacket(c));
    ASSERT_EQ(classic.poll(), kDone);
    EXPECT_EQ(classic.conditions.classic.outsideTemp, -100);
    EXPECT_EQ(classic.conditions.classic.outsideHum, -100);
}

TEST(Poll, ValuesInTheConfiguredUnits)
{
    PollRig rig(5);
    rig.config.tempUnit = 1;
    rig.config.rainUnit = 1;
    rig.config.baroUnit = 3;
    rig.config.windUnit = 3;
    rig.config.rainCollector = 3; // 0.2 mm
    rig.peer.queuePacket(testing::tirrelLoopPacket({}));
    ASSERT_EQ(rig.poll(), kDone);
    const TirrelConditions& t = rig.conditions.tirrel;
    EXPECT_NEAR(t.soilTemp, 22.5, 1e-4);
    EXPECT_NEAR(t.barometer, 1013.211, 1e-3);
    EXPECT_NEAR(t.windSpeed, 12 * 0.44704, 1e-4);
    EXPECT_NEAR(t.rain, 24.6, 1e-4);
    EXPECT_NEAR(t.rainRate, 12.7, 1e-4);

    // A code out of range leaves that unit as it was.
    rig.config.tempUnit = 7;
    rig.config.windUnit = 9;
    rig.peer.queuePacket(testing::tirrelLoopPacket({}));
    ASSERT_EQ(rig.poll(), kDone);
    EXPECT_NEAR(rig.conditions.tirrel.soilTemp, 22.5, 1e-4);
    EXPECT_NEAR(rig.conditions.tirrel.windSpeed, 12 * 0.44704, 1e-4);
}

TEST(Poll, ClassicRainCollectorGoesOutAtTheFirstPoll)
{
    PollRig rig(0);
    rig.config.rainCollector = 2; // 0.01 in: 100 tips per inch
    rig.station().stationMemory().setValue({0, 72, 2}, 0x30);
    ASSERT_EQ(rig.poll(), kDone);
    EXPECT_EQ(rig.commandsHeard("WWR"), 2);
    EXPECT_EQ(rig.station().stationMemory().value({1, 214, 4}), 100U);
    EXPECT_EQ(rig.station().stationMemory().value({0, 72, 1}), 0x4U); // bit 2 set, low nibble only
    EXPECT_EQ(rig.station().stationMemory().value({0, 73, 1}), 0x3U); // the next nibble untouched

    ASSERT_EQ(rig.poll(), kDone);
    EXPECT_EQ(rig.commandsHeard("WWR"), 2) << "sent once per run";

    // A changed setting is sent, and converts rain at once.
    rig.config.rainCollector = 1; // 0.1 in: 10 tips per inch
    testing::ClassicLoopFields f;
    f.rain = 25;
    rig.peer.queuePacket(testing::classicLoopPacket(f));
    ASSERT_EQ(rig.poll(), kDone);
    EXPECT_EQ(rig.commandsHeard("WWR"), 4);
    EXPECT_EQ(rig.station().stationMemory().value({1, 214, 4}), 10U);
    EXPECT_EQ(rig.station().stationMemory().value({0, 72, 1}), 0x0U);
    EXPECT_NEAR(rig.conditions.classic.rain, 2.5, 1e-5);
}

TEST(Poll, TirrelRainCollectorFollowsThePort)
{
    PollRig rig(4);
    rig.config.rainCollector = 3;
    ASSERT_EQ(rig.poll(), kDone);
    EXPECT_EQ(rig.commandsHeard("WWR"), 1);
    EXPECT_EQ(rig.station().stationMemory().value({1, 207, 4}), 127U);
    ASSERT_EQ(rig.poll(), kDone);
    EXPECT_EQ(rig.commandsHeard("WWR"), 1);

    rig.config.stationComPort = 2;
    ASSERT_EQ(rig.poll(), kDone);
    EXPECT_EQ(rig.wire.path(), "COM2");
    EXPECT_EQ(rig.commandsHeard("WWR"), 2);
    ASSERT_EQ(rig.poll(), kDone);
    EXPECT_EQ(rig.commandsHeard("WWR"), 2);
    rig.config.stationComPort = 1;
    ASSERT_EQ(rig.poll(), kDone);
    EXPECT_EQ(rig.commandsHeard("WWR"), 3);
}

TEST(Poll, NoCollectorSendsNothing)
{
    PollRig rig(5);
    rig.config.rainCollector = 0;
    ASSERT_EQ(rig.poll(), kDone);
    EXPECT_EQ(rig.commandsHeard("WWR"), 0);
}

TEST(Poll, SpoiltPacketIsAskedForOnceMore)
{
    for (int model : {0, 5}) {
        PollRig rig(model);
        rig.simulator.faults().add(sim::FaultRule(sim::FaultKind::CorruptCrc).on("LOOP"));
        ASSERT_EQ(rig.poll(), kDone) << model;
        EXPECT_TRUE(rig.conditions.dataValid);
        EXPECT_EQ(rig.commandsHeard("LOOP"), 2);
        EXPECT_TRUE(rig.events.empty());
    }

    PollRig rig(4);
    testing::TirrelLoopFields f;
    auto badStart = testing::tirrelLoopPacket(f);
    badStart[0] = 0x02;
    rig.peer.queuePacket(badStart);
    f.airTemp = 555;
    rig.peer.queuePacket(testing::tirrelLoopPacket(f));
    ASSERT_EQ(rig.poll(), kDone);
    EXPECT_NEAR(rig.conditions.tirrel.airTemp, 55.5, 1e-4);
}

TEST(Poll, TwoSpoiltPacketsCountAsNoAnswer)
{
    PollRig rig(5);
    ASSERT_EQ(rig.poll(), kDone);
    const TirrelConditions before = rig.conditions.tirrel;

    rig.simulator.faults().add(sim::FaultRule(sim::FaultKind::CorruptCrc).on("LOOP").times(2));
    EXPECT_EQ(rig.poll(), kNoAnswer);
    EXPECT_FALSE(rig.conditions.dataValid);
    EXPECT_EQ(rig.commandsHeard("LOOP"), 3);
    EXPECT_EQ(rig.conditions.tirrel.airTemp, before.airTemp);
    ASSERT_EQ(rig.events.size(), 1U);
    EXPECT_EQ(rig.events[0], kCommError);
    EXPECT_EQ(rig.statuses.back(), kCommError);

    // At the first poll of a run nothing stale is published either.
    PollRig first(0);
    first.simulator.faults().add(sim::FaultRule(sim::FaultKind::CorruptCrc).on("LOOP").always());
    EXPECT_EQ(first.poll(), kNoAnswer);
    EXPECT_FALSE(first.conditions.dataValid);
}

TEST(Poll, SilentStationClearsDataValid)
{
    PollRig rig(2);
    ASSERT_EQ(rig.poll(), kDone);
    const float inside = rig.conditions.classic.insideTemp;
    rig.simulator.faults().add(sim::FaultRule(sim::FaultKind::Silence).always());
    EXPECT_EQ(rig.poll(), kNoAnswer);
    EXPECT_FALSE(rig.conditions.dataValid);
    EXPECT_EQ(rig.conditions.classic.insideTemp, inside);
    ASSERT_EQ(rig.events.size(), 1U);
    EXPECT_EQ(rig.events[0], kCommError);
}

TEST(Poll, PortThatDoesNotOpen)
{
    struct Case {
        int error;
        int result;
    };
    for (const Case c : {Case{ENOENT, kPortUnopenable}, Case{EBUSY, kPortUnopenable},
                         Case{ENOTTY, kLineSettingsRefused}}) {
        PollRig rig(5);
        ASSERT_EQ(rig.poll(), kDone);
        rig.wire.failNextOpen(c.error);
        EXPECT_EQ(rig.poll(), c.result);
        EXPECT_FALSE(rig.conditions.dataValid);
        EXPECT_EQ(rig.events,
                  std::vector<std::string>{"Error in opening com port. Check station settings."});
        EXPECT_EQ(rig.commandsHeard("LOOP"), 1);
    }
}

TEST(Poll, RemoteStationIsDialledFirst)
{
    PollRig rig(5);
    rig.config.stationViaModem = true;
    rig.config.stationPhone = "5551234";
    rig.config.afterConnectWaitSec = 10;
    ASSERT_EQ(rig.poll(), kDone);
    const std::string written = rig.wire.writtenText();
    const auto dial = written.find("ATDT5551234\r");
    ASSERT_NE(dial, std::string::npos);
    EXPECT_LT(dial, written.find("LOOP"));
    // 1 s, the modem's 1 s and 15 s, the 10 s wait and 1 s before the LOOP.
    EXPECT_GE(rig.simulator.received().back().lineMs, 28000);
}

} // namespace
} // namespace bv::station
