#include <gtest/gtest.h>

#include <cmath>

#include "sim/xmodem_crc.h"
#include "sim_fixture.h"

namespace bv::sim {
namespace {

using test::le16;
using test::le16s;
using test::StationLine;

std::vector<std::uint8_t> loopOnce(StationLine& line)
{
    auto reply = line.command("LOOP", {0xFF, 0xFF});
    EXPECT_FALSE(reply.empty());
    EXPECT_EQ(reply.at(0), 0x06);
    reply.erase(reply.begin());
    return reply;
}

TEST(LoopPacket, BothFamiliesSendAStartByteAndACrcOverTheRest)
{
    struct Case {
        const char* model;
        std::size_t size;
    };
    for (const Case& c :
         {Case{"Tirrel D", 36}, Case{"Tirrel E", 36}, Case{"Ostrel II", 18}, Case{"Lunett", 18}}) {
        StationLine line(c.model);
        const auto packet = loopOnce(line);
        ASSERT_EQ(packet.size(), c.size) << c.model;
        EXPECT_EQ(packet[0], 0x01) << c.model;
        EXPECT_EQ(xmodemCrc(std::span(packet).subspan(1)), 0) << c.model;
    }
}

TEST(LoopPacket, TirrelFieldsCarryTheCurrentReadings)
{
    StationConfig config = StationLine::configFor("Tirrel E");
    StationLine line(config);
    line.advance(3 * 3600 * 1000);
    const auto p = loopOnce(line);
    const RawSample& s = line.sim.station().currentSample();
    EXPECT_EQ(le16s(p, 4), s[Reading::SoilTemp]);
    EXPECT_EQ(le16s(p, 6), s[Reading::OutsideTemp]);
    EXPECT_EQ(p[8], s[Reading::WindSpeed]);
    EXPECT_EQ(le16(p, 9), s[Reading::WindDirection]);
    EXPECT_EQ(le16(p, 11), s[Reading::Barometer]);
    EXPECT_EQ(p[13], s[Reading::RainRateTenths]);
    EXPECT_EQ(p[14], s[Reading::OutsideHumidity]);
    const StationTotals& t = line.sim.station().totals();
    EXPECT_EQ(le16(p, 15), t.total.rainTips);
    EXPECT_EQ(le16(p, 17), s[Reading::SolarRadiation]);
    EXPECT_EQ(test::le24(p, 19),
              static_cast<std::uint32_t>(std::lround(t.total.windRunMiles * 10)));
    EXPECT_EQ(p[33], 0) << "no leaf-wetness probe";
}

TEST(LoopPacket, ClassicFieldsCarryTheCurrentReadings)
{
    StationLine line("Carrow III");
    line.advance(7 * 3600 * 1000);
    const auto p = loopOnce(line);
    const RawSample& s = line.sim.station().currentSample();
    EXPECT_EQ(le16s(p, 1), s[Reading::InsideTemp]);
    EXPECT_EQ(le16s(p, 3), s[Reading::OutsideTemp]);
    EXPECT_EQ(p[5], s[Reading::WindSpeed]);
    EXPECT_EQ(le16(p, 6), s[Reading::WindDirection]);
    EXPECT_EQ(le16(p, 8), s[Reading::Barometer]);
    EXPECT_EQ(p[10], s[Reading::InsideHumidity]);
    EXPECT_EQ(p[11], s[Reading::OutsideHumidity]);
    EXPECT_EQ(le16(p, 12), line.sim.station().totals().total.rainTips);
}

TEST(LoopPacket, ALeafProbeTakesThePlaceOfTheSoilProbe)
{
    StationConfig config = StationLine::configFor("Tirrel D");
    config.leafProbe = true;
    config.start = {2026, 5, 2, 5, 0, 0, 0, 6}; // wet before sunrise
    StationLine line(config);
    const auto p = loopOnce(line);
    const int leaf = line.sim.station().currentSample()[Reading::LeafWetness];
    EXPECT_EQ(p[33], 0x40 | leaf);
    EXPECT_EQ(le16(p, 4), leaf) << "the soil word holds the leaf wetness";
    EXPECT_EQ(line.sim.station().stationMemory().value({0, 14, 1}) & 0x4, 0x4u);
    EXPECT_EQ(line.readData("WRD", {0x14, 222}).at(0) & 0x0F, leaf);
}

TEST(LoopPacket, MissingSensorsSendTheirMarkers)
{
    StationConfig tirrel = StationLine::configFor("Tirrel D");
    tirrel.missing.set(static_cast<std::size_t>(Reading::OutsideHumidity));
    tirrel.missing.set(static_cast<std::size_t>(Reading::OutsideTemp));
    StationLine t(tirrel);
    const auto tp = loopOnce(t);
    EXPECT_EQ(tp[14], 128);
    EXPECT_EQ(le16(tp, 6), 0x7FFF);
    EXPECT_EQ(t.sim.station().stationMemory().value({0, 138, 3}), 2047u) << "no dew point either";

    StationConfig classic = StationLine::configFor("Carrow II");
    classic.missing.set(static_cast<std::size_t>(Reading::WindDirection));
    StationLine c(classic);
    EXPECT_EQ(le16(loopOnce(c), 6), 0x8000);
}

TEST(LoopPacket, ARunOfPacketsFollowsEveryTwoSeconds)
{
    StationLine line("Tirrel E");
    line.sim.onBytes(test::frameCommand("LOOP", {0xFD, 0xFF}, true), line.out); // three packets
    const auto& sent = line.out.sent;
    ASSERT_EQ(sent.size(), 1u + 3 * 36);
    EXPECT_EQ(sent[0].value, 0x06);
    EXPECT_EQ(sent[1 + 36].atMs, 2000);
    EXPECT_EQ(sent[1 + 72].atMs, 4000);
    std::vector<std::uint8_t> third;
    for (std::size_t i = 1 + 72; i < sent.size(); ++i)
        third.push_back(sent[i].value);
    EXPECT_EQ(third[0], 0x01);
    EXPECT_EQ(xmodemCrc(std::span(third).subspan(1)), 0);
}

} // namespace
} // namespace bv::sim
