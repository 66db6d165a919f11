#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "marker_rig.h"
#include "sim/fault_plan.h"

namespace bv::publish {
namespace {

using testing::MarkerRig;

struct Case {
    std::string marker;
    std::string expected;
};

TEST(TemplateMarkersTest, ClassicRecordValuesAsTheyStand)
{
    MarkerRig station(1);
    station::ClassicConditions& record = station.rig.conditions.classic;
    record = {};
    record.outsideTemp = -100; // missing
    record.insideHum = -100;
    record.barometer = 29.925f;
    record.rain = 1.5f;
    record.windSpeed = 7.25f;
    const std::vector<std::pair<int, std::string>> directions = {
        {-100, "----"}, {0, "N"}, {359, "NNW"}, {360, "----"}};
    for (const auto& [degrees, name] : directions) {
        record.windDir = static_cast<std::int16_t>(degrees);
        EXPECT_EQ(station.expand("<!--winddirection-->"), name) << degrees;
    }
    const std::vector<Case> cases = {
        {"<!--outtemp-->", "-100.0"},       {"<!--OUTTEMP-->", "-100.0"},
        {"<!--inhum-->", "-100"},           {"<!--barom-->", "29.93"},
        {"<!--totalrain-->", "1.50"},       {"<!--windspeed-->", "7.3"},
        {"<!--winddir-->", "360"},          {"<!--soiltemp-->", "(unchanged)"},
        {"<!--rainrate-->", "(unchanged)"}, {"<!-- outtemp -->", "(unchanged)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(station.expand(c.marker), c.expected) << c.marker;
}

TEST(TemplateMarkersTest, ThermalIndexFollowsTheTableInEitherUnit)
{
    struct Index {
        bool celsius;
        float temp;
        std::int16_t hum;
        std::string expected;
    };
    const std::vector<Index> cases = {
        {true, 30, 50, "31.1"},   // 86 °F, 50 %: 88 °F
        {true, 15, 50, "15.0"},   // below the table: the temperature
        {false, 86, 50, "88.0"},  //
        {false, 95, 45, "101.5"}, // row 95 °F, between 99 (40 %) and 104 (50 %)
    };
    for (const Index& c : cases) {
        MarkerRig station(1, c.celsius);
        station.rig.conditions.classic.outsideTemp = c.temp;
        station.rig.conditions.classic.outsideHum = c.hum;
        EXPECT_EQ(station.expand("<!--thindex-->"), c.expected) << c.temp << " " << c.hum;
    }
}

TEST(TemplateMarkersTest, AHighOfDecemberReadInJanuaryIsLastYears)
{
    MarkerRig station(1);
    sim::NibbleMemory& memory = station.rig.station().stationMemory();
    memory.setValue({1, 90, 4}, 1500); // a high of 150 °F that nothing beats
    memory.setBcdValue({1, 98, 2}, 15);
    memory.setBcdValue({1, 100, 2}, 5);
    memory.setBcdValue({1, 106, 2}, 20);
    memory.setNibble(1, 108, 12);
    station.rig.time.setLocalTime({2027, 1, 10, 8, 0, 0, 0, 0});
    EXPECT_EQ(station.expand("<!--hitimeouttemp-->"), "12-20-26  3:05p");
    station.rig.time.setLocalTime({2026, 12, 21, 8, 0, 0, 0, 1});
    EXPECT_EQ(station.expand("<!--HiTimeOutTemp-->"), "12-20-26  3:05p");
    memory.setValue({1, 98, 2}, 0xFF); // no hour: the station holds no time
    EXPECT_EQ(station.expand("<!--hitimeouttemp-->"), "----- ----");
}

TEST(TemplateMarkersTest, AStationThatStopsAnsweringLeavesDatesAndTrendInPlace)
{
    MarkerRig station(5);
    station.rig.simulator.faults().add(sim::FaultRule(sim::FaultKind::Silence).on("WRD").always());
    const std::vector<Case> cases = {
        {"<!--dailyrain-->", "-101.00"},
        {"<!--hiouthum-->", "-101"},
        {"<!--hitimeouttemp-->", "<!--hitimeouttemp-->"},
        {"<!--stationtime-->", "<!--stationtime-->"},
        {"<!--barometertrend-->", "<!--barometertrend-->"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(station.markers.expandTag(c.marker).value_or(c.marker), c.expected) << c.marker;
    }
}

} // namespace
} // namespace bv::publish
