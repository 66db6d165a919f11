#include <gtest/gtest.h>

#include "sim_fixture.h"

namespace bv::sim {
namespace {

using test::StationLine;

std::uint8_t bcd(int v)
{
    return static_cast<std::uint8_t>(v / 10 * 16 + v % 10);
}

StationConfig startingAt(const char* model, platform::WallTime start)
{
    StationConfig c = StationLine::configFor(model);
    c.start = start;
    return c;
}

// Sets the clock with the sequence the program uses.
void setTirrelClock(StationLine& line, int year, int month, int day, int hour, int minute)
{
    const int yearByte = (year - 1900) % 256;
    line.command("WWR",
                 {0x53, 158, bcd(day), static_cast<std::uint8_t>(month | (yearByte & 0xF) << 4),
                  static_cast<std::uint8_t>(yearByte >> 4)});
    line.command("DBT");
    line.command("WWR", {0x63, 148, bcd(hour), bcd(minute), 0});
    line.command("EBT");
}

void setClassicClock(StationLine& line, int month, int day, int hour, int minute)
{
    line.command("WWR", {0x43, 200, bcd(day), static_cast<std::uint8_t>(month)});
    line.command("DBT");
    line.command("WWR", {0x63, 190, bcd(hour), bcd(minute), 0});
    line.command("EBT");
}

void expectStationTime(const StationLine& line, const platform::WallTime& want)
{
    const platform::WallTime t = line.sim.station().stationTime();
    EXPECT_EQ(t.year, want.year);
    EXPECT_EQ(t.month, want.month);
    EXPECT_EQ(t.day, want.day);
    EXPECT_EQ(t.hour, want.hour);
    EXPECT_EQ(t.minute, want.minute);
    EXPECT_EQ(t.second, want.second);
}

TEST(StationClock, TirrelMemoryHoldsTimeDateAndYearByte)
{
    StationLine line(startingAt("Tirrel E", {2026, 3, 12, 14, 37, 5}));
    EXPECT_EQ(line.readData("WRD", {0x44, 148}), (std::vector<std::uint8_t>{0x14, 0x37}));
    // Year byte 126: month in the low half of the second byte, the year byte
    // split across the halves that follow.
    EXPECT_EQ(line.readData("WRD", {0x64, 158}).at(0), 0x12);
    const auto date = line.readData("WRD", {0x54, 158});
    EXPECT_EQ(date.at(1), 0xE3);
    EXPECT_EQ(date.at(2) & 0x0F, 0x7);
}

TEST(StationClock, ClassicMemoryHoldsTimeWithSecondsAndDate)
{
    StationLine line(startingAt("Ostrel II", {2026, 11, 30, 23, 5, 42}));
    EXPECT_EQ(line.readData("WRD", {0x64, 190}), (std::vector<std::uint8_t>{0x23, 0x05, 0x42}));
    EXPECT_EQ(line.readData("WRD", {0x44, 200}), (std::vector<std::uint8_t>{0x30, 11}))
        << "binary month";
}

TEST(StationClock, RunsOnWithLineTime)
{
    StationLine line(startingAt("Carrow III", {2026, 12, 31, 23, 59, 30}));
    line.advance(45 * 1000);
    expectStationTime(line, {2027, 1, 1, 0, 0, 15});
    EXPECT_EQ(line.readData("WRD", {0x44, 200}), (std::vector<std::uint8_t>{0x01, 0x01}));
}

TEST(StationClock, TheProgramsSetTimeSequenceSetsTheClock)
{
    struct Case {
        int year;
        int yearByte;
    };
    for (const Case& c : {Case{2000, 100}, Case{2048, 148}, Case{2031, 131}}) {
        StationLine line("Tirrel D");
        setTirrelClock(line, c.year, 7, 4, 14, 37);
        EXPECT_EQ(line.sim.station().stationMemory().value({1, 161, 2}),
                  static_cast<unsigned>(c.yearByte));
        line.advance(90 * 1000);
        expectStationTime(line, {c.year, 7, 4, 14, 38, 30});
    }
}

TEST(StationClock, ClassicClockKeepsItsYear)
{
    StationLine line(startingAt("Lunett", {2026, 6, 15, 9, 0}));
    setClassicClock(line, 2, 29, 6, 5);
    EXPECT_EQ(line.sim.station().stationTime().month, 6) << "29 February 2026 does not exist";
    setClassicClock(line, 2, 28, 6, 5);
    line.advance(60 * 1000);
    expectStationTime(line, {2026, 2, 28, 6, 6, 0});
}

TEST(StationClock, ImpossibleTimesLeaveTheClockRunning)
{
    StationLine line(startingAt("Tirrel E", {2026, 3, 12, 14, 37}));
    line.command("WWR", {0x63, 148, bcd(25), bcd(10), 0});
    line.command("WWR", {0x63, 148, 0x1A, bcd(10), 0});
    EXPECT_EQ(line.readData("WRD", {0x44, 148}), (std::vector<std::uint8_t>{0x14, 0x37}));
}

TEST(StationClock, ANewStationDayStartsNewHighsAndLows)
{
    StationLine line(startingAt("Tirrel E", {2026, 6, 15, 15, 0}));
    line.advance(3600 * 1000);
    setTirrelClock(line, 2026, 6, 15, 23, 59);
    line.advance(2 * 60 * 1000);
    const NibbleMemory& m = line.sim.station().stationMemory();
    // Time words of the high and low air temperature: minute of the new day,
    // today.
    for (const Location at : {Location{1, 84, 4}, Location{1, 88, 4}}) {
        const unsigned word = m.value(at);
        EXPECT_EQ(word & 0xF, 0u);
        EXPECT_LE(word >> 4, 2u);
    }
    EXPECT_EQ(m.value({1, 201, 3}), 0u) << "daily rain starts again";
}

} // namespace
} // namespace bv::sim
