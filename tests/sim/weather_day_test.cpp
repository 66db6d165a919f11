#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "sim/local_time.h"
#include "sim_fixture.h"

namespace bv::sim {
namespace {

using test::le16;
using test::le16s;
using test::StationLine;

constexpr std::int64_t kMinute = 60 * 1000;

struct Reading5 {
    int hour;
    int minute;
    int outsideTemp; // tenths F
    int humidity;
    int wind;
    int direction;
    int barometer;
};

Reading5 decodeLoop(const std::vector<std::uint8_t>& reply, bool tirrel,
                    const platform::WallTime& t)
{
    const std::size_t o = 1; // after the acknowledgement
    if (tirrel)
        return {t.hour,          t.minute,           le16s(reply, o + 6), reply.at(o + 14),
                reply.at(o + 8), le16(reply, o + 9), le16(reply, o + 11)};
    return {t.hour,          t.minute,           le16s(reply, o + 3), reply.at(o + 11),
            reply.at(o + 5), le16(reply, o + 6), le16(reply, o + 8)};
}

int bcdAt(const NibbleMemory& m, int bank, int address)
{
    return m.bcdValue({bank, address, 2});
}

// The minute of the day at which the station noted a high or low.
int classicStampMinute(const NibbleMemory& m, int bank, int timeAt)
{
    return bcdAt(m, bank, timeAt) * 60 + bcdAt(m, bank, timeAt + 2);
}

class DayRun : public ::testing::TestWithParam<const char*> {};

INSTANTIATE_TEST_SUITE_P(Families, DayRun, ::testing::Values("Tirrel E", "Carrow III"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             std::string name = param.param;
                             std::erase(name, ' ');
                             return name;
                         });

TEST_P(DayRun, ThreeDaysOfPlausibleWeatherWithConsistentHighsAndLows)
{
    StationConfig config = StationLine::configFor(GetParam());
    config.start = {2026, 7, 10, 0, 0, 0, 0, 5};
    config.weather.seed = 42;
    StationLine line(config);
    const bool tirrel = config.model.family == Family::Tirrel;

    std::vector<Reading5> readings;
    std::map<int, int> directionsSeen;
    int coolReadings = 0;
    for (int i = 0; i < 3 * 24 * 12; ++i) {
        line.advance(5 * kMinute);
        const platform::WallTime now = line.sim.station().stationTime();
        const Reading5 r = decodeLoop(line.command("LOOP", {0xFF, 0xFF}), tirrel, now);
        readings.push_back(r);
        ++directionsSeen[r.direction / 45];
        ASSERT_GT(r.outsideTemp, -400);
        ASSERT_LT(r.outsideTemp, 1200);
        ASSERT_GE(r.humidity, 5);
        ASSERT_LE(r.humidity, 100);
        ASSERT_GE(r.barometer, 28500);
        ASSERT_LE(r.barometer, 31000);
        ASSERT_LT(r.wind, 80);
        ASSERT_LT(r.direction, 360);

        const NibbleMemory& m = line.sim.station().stationMemory();
        const int minuteNow = now.hour * 60 + now.minute;
        if (tirrel) {
            const int high = m.signedValue({1, 69, 3});
            const int low = m.signedValue({1, 72, 3});
            ASSERT_GE(high, r.outsideTemp);
            ASSERT_LE(low, r.outsideTemp);
            for (const int at : {84, 88}) {
                const unsigned word = m.value({1, at, 4});
                ASSERT_EQ(word & 0xF, 0u) << "noted today";
                ASSERT_LE(static_cast<int>(word >> 4), minuteNow);
            }
            ASSERT_GE(static_cast<int>(m.value({1, 117, 2})), r.humidity);
            ASSERT_LE(static_cast<int>(m.value({1, 119, 2})), r.humidity);
            // In cool air the thermal index is the temperature, never below it.
            const int thermal = m.signedValue({1, 163, 3});
            if (r.outsideTemp < 680) {
                ASSERT_EQ(thermal, r.outsideTemp);
                ++coolReadings;
            }
            ASSERT_GE(m.signedValue({1, 166, 3}), thermal) << "the day's high thermal index";
        } else {
            ASSERT_GE(m.signedValue({1, 90, 4}), r.outsideTemp);
            ASSERT_LE(m.signedValue({1, 94, 4}), r.outsideTemp);
            ASSERT_LE(classicStampMinute(m, 1, 98), minuteNow);
            ASSERT_LE(classicStampMinute(m, 1, 102), minuteNow);
            ASSERT_EQ(bcdAt(m, 1, 106), now.day) << "date of the high";
            ASSERT_EQ(static_cast<int>(m.value({1, 108, 1})), now.month);
            ASSERT_GE(static_cast<int>(m.value({1, 154, 2})), r.humidity);
            ASSERT_LE(static_cast<int>(m.value({1, 156, 2})), r.humidity);
        }
    }

    double afternoon = 0;
    double predawn = 0;
    int nAfternoon = 0;
    int nPredawn = 0;
    for (const Reading5& r : readings) {
        if (r.hour >= 13 && r.hour < 17) {
            afternoon += r.outsideTemp;
            ++nAfternoon;
        } else if (r.hour >= 3 && r.hour < 6) {
            predawn += r.outsideTemp;
            ++nPredawn;
        }
    }
    EXPECT_GT(afternoon / nAfternoon - predawn / nPredawn, 80) << "afternoons at least 8 F warmer";
    EXPECT_GE(directionsSeen.size(), 2u) << "the wind veers";
    if (tirrel) {
        EXPECT_GT(coolReadings, 0) << "cool nights";
    }
}

TEST(WeatherModel, SunByDayDarkByNightRainSometimes)
{
    const WeatherModel model(WeatherSettings{7, 45.0, 0.15});
    const std::int64_t day = localMsFromWallTime({2026, 6, 21});
    for (int d = 0; d < 20; ++d) {
        const std::int64_t midnight = day + d * kMsPerDay;
        EXPECT_EQ(model.at(midnight + kMsPerHour).solarWm2, 0.0);
        EXPECT_GT(model.at(midnight + 12 * kMsPerHour).solarWm2, 150.0);
    }
    int rainyMinutes = 0;
    double gustiest = 0;
    double meanWind = 0;
    const int minutes = 30 * 24 * 60;
    for (int i = 0; i < minutes; ++i) {
        const Weather w = model.at(day + i * kMsPerMinute);
        rainyMinutes += w.rainInPerHour > 0 ? 1 : 0;
        gustiest = std::max(gustiest, w.windMph);
        meanWind += w.windMph / minutes;
        ASSERT_GE(w.rainInPerHour, 0.0);
        ASSERT_GE(w.leafWetness, 0.0);
        ASSERT_LE(w.leafWetness, 15.0);
        ASSERT_LE(w.dewPointF, w.outsideTempF);
    }
    EXPECT_GT(rainyMinutes, 60) << "some showers in a month";
    EXPECT_LT(rainyMinutes, minutes / 4);
    EXPECT_GT(gustiest, 2 * meanWind);
}

TEST(WeatherModel, TheSameSeedGivesTheSameStation)
{
    StationConfig config = StationLine::configFor("Tirrel D", 6);
    StationLine a(config);
    StationLine b(config);
    config.weather.seed = 2;
    StationLine other(config);
    a.advance(4 * kMsPerHour);
    b.advance(4 * kMsPerHour);
    other.advance(4 * kMsPerHour);
    const auto packet = a.command("LOOP", {0xFF, 0xFF});
    EXPECT_EQ(packet, b.command("LOOP", {0xFF, 0xFF}));
    EXPECT_NE(packet, other.command("LOOP", {0xFF, 0xFF}));
}

TEST(TirrelTotals, AgriculturalTotalsGrowThroughTheDayAndStartAgainAtMidnight)
{
    StationConfig config = StationLine::configFor("Tirrel E");
    config.start = {2026, 7, 10, 0, 1, 0, 0, 5};
    StationLine line(config);
    const NibbleMemory& m = line.sim.station().stationMemory();
    struct Daily {
        Location at;
        unsigned last = 0;
    };
    std::vector<Daily> daily{{{0, 158, 4}}, {{0, 167, 3}}, {{1, 92, 3}}, {{1, 187, 4}}};
    for (int hour = 1; hour < 24; ++hour) {
        line.advance(kMsPerHour);
        for (Daily& d : daily) {
            const unsigned v = m.value(d.at);
            EXPECT_GE(v, d.last) << "at " << d.at.bank << "," << d.at.address;
            d.last = v;
        }
    }
    for (const Daily& d : daily)
        EXPECT_GT(d.last, 0u) << "at " << d.at.bank << "," << d.at.address;
    EXPECT_EQ(m.value({1, 176, 4}), 15u) << "15 whole 90-minute periods in 23 hours";
    line.advance(kMsPerHour);
    EXPECT_LT(m.value({0, 158, 4}), daily[0].last) << "daily wind run starts again";
    EXPECT_GE(m.value({0, 162, 5}), daily[0].last) << "the total keeps counting";
    const unsigned trend = m.value({0, 122, 1});
    EXPECT_TRUE(trend == 1 || trend == 2 || trend == 4) << trend;
}

} // namespace
} // namespace bv::sim
