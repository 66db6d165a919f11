#include <gtest/gtest.h>

#include "paging/alarm_limits.h"
#include "paging/alarm_quantity.h"
#include "paging/rain_rate.h"

namespace bv::paging {
namespace {

using units::StationFamily;

TEST(PageValue, RoundsHalvesAwayFromZeroScalesHundredthsAndMarksMissing)
{
    struct Case {
        int quantity;
        double value;
        StationFamily family;
        int expected;
    };
    const Case cases[] = {
        {WindChill, -20.0, StationFamily::Classic, -20}, // not -19
        {WindChill, -20.5, StationFamily::Classic, -21},
        {WindChill, -20.4, StationFamily::Classic, -20},
        {OutsideTemp, 84.5, StationFamily::Classic, 85},
        {OutsideTemp, 84.49, StationFamily::Classic, 84},
        {InsideHum, 45.5, StationFamily::Classic, 46},
        {Barometer, static_cast<float>(29.92), StationFamily::Classic, 2992},
        {Barometer, static_cast<float>(1013.2), StationFamily::Tirrel, 101320},
        {DailyRain, 0.25, StationFamily::Classic, 25},
        {RainRate, static_cast<float>(0.07), StationFamily::Classic, 7},
        {InsideHum, static_cast<float>(0.12), StationFamily::Tirrel, 12}, // daily ET
        {WindDirection, 247.5, StationFamily::Classic, 248},
        {OutsideTemp, -100, StationFamily::Classic, 9999},
        {Barometer, -101, StationFamily::Classic, 9999},
        {DewPoint, 1e12, StationFamily::Classic, 9999},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pageValue(c.quantity, c.value, c.family), c.expected)
            << "quantity " << c.quantity << " value " << c.value;
}

TEST(AlarmLimits, OnlyAWholeNumberIsALimit)
{
    struct Case {
        const char* text;
        float expected;
    };
    const Case cases[] = {
        {"30", 30.0f},    {"-5.5", -5.5f},  {".5", 0.5f},     {"29.92", 29.92f},
        {"-", -100.0f},   {".", -100.0f},   {"", -100.0f},    {"1-2", -100.0f},
        {"--1", -100.0f}, {"3 0", -100.0f}, {"1e5", -100.0f}, {"-.", -100.0f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseLimitText(c.text), c.expected) << '"' << c.text << '"';
}

TEST(AlarmLimits, OfferedAsTheModelsSensorsAndTheQuantityAllow)
{
    constexpr int ostrel = 0, carrowIII = 1, carrowII = 2, lunett = 3, tirrelE = 5;
    struct Case {
        int model;
        int collector;
        int quantity;
        LimitSide side;
        bool offered;
    };
    const Case cases[] = {
        {ostrel, 1, OutsideTemp, LimitSide::Low, true},
        {ostrel, 1, WindSpeed, LimitSide::Low, false},
        {ostrel, 1, WindSpeed, LimitSide::High, true},
        {ostrel, 1, WindChill, LimitSide::High, false},
        {ostrel, 1, Thi, LimitSide::Low, false},
        {ostrel, 0, DailyRain, LimitSide::High, false},
        {ostrel, 2, RainRate, LimitSide::High, true},
        {tirrelE, 1, InsideHum, LimitSide::Low, false},
        {tirrelE, 1, InsideHum, LimitSide::High, true},
        {ostrel, 1, InsideHum, LimitSide::Low, true},
        {carrowIII, 1, Barometer, LimitSide::High, false},
        {carrowII, 1, OutsideTemp, LimitSide::High, true},
        {lunett, 1, InsideTemp, LimitSide::Low, true},
        {lunett, 1, OutsideTemp, LimitSide::Low, false},
        {lunett, 1, DailyRain, LimitSide::High, false},
        {lunett, 1, Barometer, LimitSide::High, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(limitOffered(c.model, c.collector, c.quantity, c.side), c.offered)
            << "model " << c.model << " quantity " << c.quantity;
}

TEST(RainRate, PerHourFromSuccessiveReadings)
{
    constexpr std::int64_t minute = 60000;
    struct Step {
        double reading;
        std::int64_t atMs;
        double expected;
    };
    const Step steps[] = {
        {1.00, 0, -100},                  // first reading after start
        {1.10, 15 * minute, 0.4},         // 0.1 in 15 min
        {1.20, 15 * minute + 20000, 0.4}, // same minute: the last rate, reference kept
        {1.30, 20 * minute, 2.4},         // 0.2 since minute 15, in 5 min
        {-101, 25 * minute, -100},        // no answer
        {1.30, 30 * minute, 0.0},         // 10 min since minute 20
        {0.00, 40 * minute, -100},        // the count started again
        {0.05, 70 * minute, 0.1},
    };
    RainRateTracker tracker;
    for (const Step& s : steps)
        EXPECT_NEAR(tracker.rateAt(s.reading, s.atMs), s.expected, 1e-9) << "at " << s.atMs;
}

} // namespace
} // namespace bv::paging
