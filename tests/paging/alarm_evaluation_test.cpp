#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "paging/alarm_evaluation.h"
#include "paging/alarm_limits.h"
#include "paging/alarm_quantity.h"

namespace bv::paging {
namespace {

using app::PagingSelector;

class Readings : public QuantityReadings {
  public:
    std::map<int, double> alarm;   // absent: missing
    std::map<int, double> weather; // absent: missing
    int compass = -1;

    double alarmReading(int q) override { return alarm.contains(q) ? alarm[q] : -100; }
    double weatherReading(int q) override { return weather.contains(q) ? weather[q] : -101; }
    int windCompassIndex() override { return compass; }
};

PagerLine line(const std::string& name, EntryKind kind)
{
    PagerEntry entry;
    entry.name = name;
    entry.kind = kind;
    entry.number = "555";
    return {formatPagerLine(entry), entry};
}

struct Rig {
    app::ConfigRecord config;
    app::SchedulerState state;
    AlarmCodes codes;
    std::vector<PagerLine> entries = {line("N", EntryKind::Numeric)};
    Readings readings;

    Rig() { config.pageOnAlarm = true; }

    Evaluation evaluate(PagingSelector selector = PagingSelector::AlarmCheck,
                        bool stationRead = true)
    {
        const EvaluationInput input{config,  state, selector, units::StationFamily::Classic,
                                    entries, codes};
        return evaluatePages(input, stationRead, readings);
    }
    std::vector<std::string> pageLines(PagingSelector selector = PagingSelector::AlarmCheck)
    {
        std::vector<std::string> lines;
        for (const Evaluation::Pair& pair : evaluate(selector).pages)
            lines.push_back(pair.pageLine);
        return lines;
    }
    void setAnd(int condition, int param, bool high, float value)
    {
        const auto i = static_cast<std::size_t>(condition);
        config.andAlarmParam[i] = static_cast<std::uint8_t>(param);
        config.andAlarmHigh[i] = high ? 1 : 0;
        config.andAlarmValue[i] = value;
    }
};

using Lines = std::vector<std::string>;

TEST(AlarmEvaluation, LimitsAreMetAtOrBeyondAndNeverByAMissingReading)
{
    struct Case {
        float low;
        float high;
        double reading;
        bool met;
    };
    const Case cases[] = {
        {30, -100, 30.0, true},  {-100, 30, 30.0, true},    {30, -100, 30.1, false},
        {-100, 30, 29.9, false}, {10, 90, 50, false},       {10, 90, -4, true},
        {-100, 0, -100, false},  {-101, -100, -101, false}, {-100, 0, -101, false},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.codes[1] = "12";
        setAlarmLimit(rig.config, OutsideTemp, LimitSide::Low, c.low);
        setAlarmLimit(rig.config, OutsideTemp, LimitSide::High, c.high);
        rig.readings.alarm[OutsideTemp] = c.reading;
        const Evaluation e = rig.evaluate();
        EXPECT_EQ(e.pages.size(), c.met ? 1u : 0u) << c.low << " " << c.high << " " << c.reading;
        EXPECT_EQ(e.latch[OutsideTemp], c.met);
    }
}

TEST(AlarmEvaluation, LatchedAlarmsWaitAndWindSpeedAlarmsResetTheHigh)
{
    Rig rig;
    rig.codes = {"1", "2", "3", "4", "5", "6"};
    setAlarmLimit(rig.config, OutsideTemp, LimitSide::High, 90);
    setAlarmLimit(rig.config, WindSpeed, LimitSide::High, 30);
    rig.readings.alarm = {{OutsideTemp, 91}, {WindSpeed, 30}};
    rig.readings.weather = {{WindSpeed, 4}};

    Evaluation e = rig.evaluate();
    EXPECT_EQ(e.pages.at(0).pageLine, "1*2*91*6*30*#,,,;ATH0\r\n");
    EXPECT_TRUE(e.resetHighWindSpeed);
    applyLatches(e, rig.state);
    EXPECT_EQ(rig.state.alarmRearm[OutsideTemp], 0);
    EXPECT_EQ(rig.state.alarmRearm[WindSpeed], 0);
    EXPECT_EQ(rig.state.alarmRearm[InsideTemp], app::kAlarmArmed);

    rig.state.alarmRearm[WindSpeed] = app::kAlarmArmed; // re-enabled; outside temp still latched
    rig.readings.alarm[WindSpeed] = 12;
    EXPECT_TRUE(rig.pageLines().empty());
    rig.readings.alarm[WindSpeed] = 31;
    EXPECT_EQ(rig.pageLines(), Lines{"1*6*31*#,,,;ATH0\r\n"});
}

TEST(AlarmEvaluation, AndAlarms)
{
    struct Case {
        const char* what;
        std::vector<std::tuple<int, int, bool, float>> conditions; // index, param, high, value
        double outsideTemp;
        int compass;
        const char* line; // nullptr: not met
    };
    const Case cases[] = {
        {"second condition None", {{0, 2, true, 90}}, 90, -1, "1*7 *90*9999*#,,,;ATH0\r\n"},
        {"below the high", {{0, 2, true, 90}}, 89.9, -1, nullptr},
        {"both hold", {{0, 2, true, 90}, {1, 6, true, 20}}, 95, -1, "1*7 *95*25*#,,,;ATH0\r\n"},
        {"second fails", {{0, 2, true, 90}, {1, 6, false, 20}}, 95, -1, nullptr},
        {"no limits at all", {{0, 2, true, -100}}, 95, -1, nullptr},
        {"nothing chosen", {}, 95, -1, nullptr},
        {"NE at 45 degrees", {{2, 12, true, 2}}, 95, 2, "1*8 *2*9999*#,,,;ATH0\r\n"},
        {"ENE is not NE", {{2, 12, false, 2}}, 95, 3, nullptr},
        {"wind direction missing", {{2, 12, true, 0}}, 95, -1, nullptr},
        {"low side", {{3, 2, false, 0}}, -3, -1, "1*8 *9999**3*#,,,;ATH0\r\n"},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.codes[11] = "7";
        rig.codes[12] = "8";
        for (const auto& [index, param, high, value] : c.conditions)
            rig.setAnd(index, param, high, value);
        rig.readings.alarm = {{OutsideTemp, c.outsideTemp}, {WindSpeed, 25}};
        rig.readings.compass = c.compass;
        const Evaluation e = rig.evaluate();
        if (c.line == nullptr) {
            EXPECT_TRUE(e.pages.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(e.pages.size(), 1u) << c.what;
        EXPECT_EQ(e.pages[0].pageLine, c.line) << c.what;
        EXPECT_EQ(e.resetHighWindSpeed, std::string(c.what) == "both hold") << c.what;
    }
}

TEST(AlarmEvaluation, PagesPerEntryKindAndSelector)
{
    Rig rig;
    rig.config.pageWeather = true;
    rig.config.weatherPageItems[Barometer] = true;
    rig.config.weatherPageItems[WindSpeed] = true;
    rig.config.weatherPageItems[WindDirection] = true;
    rig.entries = {line("N", EntryKind::Numeric), line("A", EntryKind::AlphaNumeric),
                   line("T", EntryKind::Telephone)};
    setAlarmLimit(rig.config, Barometer, LimitSide::Low, 29.95f);
    rig.readings.alarm = {{Barometer, 29.92f}, {WindSpeed, 40}};
    rig.readings.weather = {{Barometer, 29.92f}, {WindSpeed, 7.5}, {WindDirection, 202.4}};

    const Evaluation both = rig.evaluate(PagingSelector::Both);
    std::vector<std::string> pairs;
    for (const auto& pair : both.pages)
        pairs.push_back(std::string(entryNameOf(pair.entryLine)) + ": " + pair.pageLine);
    EXPECT_EQ(pairs, (Lines{"N: 0*2992*8*202*#,,,;ATH0\r\n", "N: 1*9999*2992*#,,,;ATH0\r\n",
                            "A: 0- Weather 2992 8 202 \n", "A: 1-Alarm 9999  2992 \n",
                            "T: ATDT555@,,,#,,;ATH0\r\n"}));
    EXPECT_EQ(rig.evaluate(PagingSelector::WeatherPage).pages.size(), 2u);
    EXPECT_EQ(rig.evaluate(PagingSelector::AlarmCheck).pages.size(), 3u);
    rig.config.pageOnAlarm = false;
    EXPECT_EQ(rig.evaluate(PagingSelector::Both).pages.size(), 2u);
}

TEST(AlarmEvaluation, StationErrorPagesOncePerReenablePeriod)
{
    Rig rig;
    rig.entries = {line("N", EntryKind::Numeric), line("A", EntryKind::AlphaNumeric)};
    Evaluation e = rig.evaluate(PagingSelector::AlarmCheck, false);
    ASSERT_EQ(e.pages.size(), 2u);
    EXPECT_EQ(e.pages[0].pageLine, "99999999#,,,;ATH0\r\n");
    EXPECT_EQ(e.pages[1].pageLine, "Station Error.\n");
    EXPECT_TRUE(e.latch[kStationErrorLatch]);
    applyLatches(e, rig.state);
    EXPECT_TRUE(rig.evaluate(PagingSelector::AlarmCheck, false).pages.empty());

    rig.entries.clear(); // nothing to page: no latch is set
    rig.state.alarmRearm[kStationErrorLatch] = app::kAlarmArmed;
    EXPECT_FALSE(rig.evaluate(PagingSelector::AlarmCheck, false).latch[kStationErrorLatch]);
}

} // namespace
} // namespace bv::paging
