#include <gtest/gtest.h>

#include "app/base/dialog_host.h"
#include "app/base/settings_dialog_launcher.h"
#include "app/base/shell.h"
#include "poll_rig.h"
#include "station/current_weather_dialog.h"
#include "station/weather_values.h"

namespace bv::station::testing {
namespace {

using namespace current_weather;
using testsupport::FakeDialogView;

// The dialog on a session to a simulated station, over the rig's scripted Ui.
struct CurrentWeatherRig {
    explicit CurrentWeatherRig(int modelCode, int rainCollector = 1) : rig(modelCode)
    {
        rig.config.rainCollector = static_cast<std::int8_t>(rainCollector);
        rig.session.configure(stationSettingsFrom(rig.config));
    }
    int run(testsupport::ScriptedUi::DialogScript script)
    {
        rig.ui.onDialog("CURRENTWEATHER", std::move(script));
        return runCurrentWeatherDialog(launcher, shell, rig.session);
    }

    PollRig rig;
    units::RegionalSettings regional;
    app::Shell shell{rig.ui, rig.time, regional};
    app::DialogHost host{rig.ui};
    app::AutoTaskGate gate;
    app::SettingsDialogLauncher launcher{host, gate};
};

constexpr int kAllFields[] = {kInsideTemp, kOutsideTemp, kInsideHum, kOutsideHum,
                              kBarometer,  kWindSpeed,   kWindDir,   kTotalRain,
                              kDewPoint,   kWindChill,   kThi};

TEST(CurrentWeatherDialog, ShowsWhatTheModelMeasuresAndRefreshesOnTheOpenLink)
{
    const struct {
        int model;
        int rainCollector;
        std::vector<int> enabled;
    } rows[] = {
        {0,
         1,
         {kInsideTemp, kOutsideTemp, kInsideHum, kOutsideHum, kBarometer, kWindSpeed, kWindDir,
          kTotalRain, kDewPoint, kWindChill, kThi}},
        {1, 1, {kInsideTemp, kOutsideTemp, kWindSpeed, kWindDir, kTotalRain, kWindChill}},
        {2, 0, {kInsideTemp, kOutsideTemp, kWindSpeed, kWindChill}},
        {3, 1, {kInsideTemp, kInsideHum, kBarometer}},
        {5,
         1,
         {kInsideTemp, kOutsideTemp, kInsideHum, kOutsideHum, kBarometer, kWindSpeed, kWindDir,
          kTotalRain, kDewPoint, kWindChill, kThi}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.model);
        CurrentWeatherRig weather(row.model, row.rainCollector);
        int loopsAtOpen = 0;
        const int result = weather.run([&](FakeDialogView& v) {
            for (const int field : kAllFields) {
                const bool expected =
                    std::find(row.enabled.begin(), row.enabled.end(), field) != row.enabled.end();
                EXPECT_EQ(v.enabled(field), expected) << field;
            }
            const bool tirrel = row.model >= 4;
            EXPECT_EQ(v.text(1300), tirrel ? "Soil Temp" : "Inside Temp");
            const double outside = tirrel ? weather.rig.conditions.tirrel.airTemp
                                          : weather.rig.conditions.classic.outsideTemp;
            EXPECT_EQ(v.text(kOutsideTemp), formatFixed(outside, 1));
            EXPECT_EQ(v.text(kBarometer).find('.'), v.text(kBarometer).size() - 3)
                << "two decimals: " << v.text(kBarometer);
            loopsAtOpen = weather.rig.commandsHeard("LOOP");
            EXPECT_TRUE(weather.rig.session.portOpen());
            v.click(kRefresh);
            EXPECT_EQ(weather.rig.commandsHeard("LOOP"), loopsAtOpen + 1);
            v.click(platform::IdOk);
        });
        EXPECT_EQ(result, platform::IdOk);
        EXPECT_EQ(loopsAtOpen, 1);
        EXPECT_FALSE(weather.rig.session.portOpen());
        EXPECT_TRUE(weather.gate.allowed());
    }
}

TEST(CurrentWeatherDialog, AStationThatDoesNotAnswerClosesItWithTheMessage)
{
    CurrentWeatherRig weather(1);
    weather.rig.simulator.faults().add(sim::FaultRule(sim::FaultKind::Silence).always());
    bool shown = false;
    weather.rig.ui.onDialog("CURRENTWEATHER", [&](FakeDialogView& v) { shown = !v.ended(); });
    EXPECT_EQ(runCurrentWeatherDialog(weather.launcher, weather.shell, weather.rig.session),
              platform::IdCancel);
    EXPECT_FALSE(shown) << "the dialog ends as soon as the read fails";
    ASSERT_FALSE(weather.rig.events.empty());
    EXPECT_EQ(weather.rig.events.back(), "Station Communication Error. Check station settings.");
    EXPECT_FALSE(weather.rig.session.portOpen());
}

} // namespace
} // namespace bv::station::testing
