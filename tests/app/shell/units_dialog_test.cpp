#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/base/config_file.h"
#include "app/shell/units_dialog.h"
#include "shell_dialog_fixture.h"

namespace bv::app::test {
namespace {

using namespace units_dialog;
using testsupport::FakeDialogView;

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class UnitsDialogTest : public ShellDialogTest {
  protected:
    UnitsDialogTest()
    {
        std::filesystem::remove_all(stationDir);
        std::filesystem::create_directories(stationDir);
    }
    ~UnitsDialogTest() override { std::filesystem::remove_all(stationDir); }

    int runWith(testsupport::ScriptedUi::DialogScript script)
    {
        ui.onDialog("SETUP_UNITS", std::move(script));
        return runUnitsDialog(launcher, config, station,
                              [this] { ASSERT_FALSE(saveConfig(config, stationDir)); });
    }

    const std::filesystem::path stationDir =
        std::filesystem::temp_directory_path() /
        ("bv_units_dialog_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ConfigRecord config;
    // A session whose ports are never opened: the dialog sends nothing.
    station::StationSession station{
        station::PortServices{time, time, ui, [] { return nullptr; },
                              [](int port) { return "COM" + std::to_string(port); }},
        {}};
};

TEST_F(UnitsDialogTest, ShowsEveryUnitInItsGroupWithTheExactLabels)
{
    const struct {
        int id;
        const char* caption;
        const char* group;
    } expected[] = {
        {1213, "°F", "Temperature"},  {1214, "°C", "Temperature"},   {1215, "in", "Barometer"},
        {1216, "mm", "Barometer"},    {1217, "mb", "Barometer"},     {1218, "hPa", "Barometer"},
        {1036, "in", "Rain"},         {1037, "mm", "Rain"},          {1038, "mph", "Wind Speed"},
        {1039, "knot", "Wind Speed"}, {1040, "km/hr", "Wind Speed"}, {1041, "m/s", "Wind Speed"},
    };
    runWith([&](FakeDialogView& v) {
        const platform::DialogTemplate& t = v.dialogTemplate();
        EXPECT_EQ(t.name, "SETUP_UNITS");
        EXPECT_EQ(t.title, "Choose Units");
        EXPECT_EQ(t.helpTopic, 40);
        for (const auto& e : expected) {
            SCOPED_TRACE(e.id);
            const platform::ControlSpec* spec = t.find(e.id);
            ASSERT_NE(spec, nullptr);
            EXPECT_EQ(spec->kind, platform::ControlKind::RadioButton);
            EXPECT_EQ(spec->caption, e.caption);
            const platform::ControlSpec* group = t.find(spec->parent);
            ASSERT_NE(group, nullptr);
            EXPECT_EQ(group->caption, e.group);
        }
        v.click(platform::IdCancel);
    });
}

TEST_F(UnitsDialogTest, OpensWithTheConfiguredUnitsChecked)
{
    config.tempUnit = 1;
    config.baroUnit = 3;
    config.rainUnit = 0;
    config.windUnit = 2;
    runWith([](FakeDialogView& v) {
        for (int id : {1214, 1218, 1036, 1040})
            EXPECT_TRUE(v.checked(id)) << id;
        for (int id : {1213, 1215, 1216, 1217, 1037, 1038, 1039, 1041})
            EXPECT_FALSE(v.checked(id)) << id;
        v.click(platform::IdCancel);
    });
}

TEST_F(UnitsDialogTest, OkStoresTheChosenCodesGivesThemToTheStationAndSaves)
{
    const struct {
        int clicks[4];
        std::int8_t temp, baro, rain, wind;
        // Raw 32.0 °F, 29.920 inHg, 100 tips of 0.01 in and 10 mph in the chosen units.
        double freezing, barometer, rain100Tips, wind10Mph;
    } cases[] = {
        {{1214, 1217, 1037, 1041}, 1, 2, 1, 3, 0.0, 1013.21, 25.4, 4.47},
        {{1213, 1215, 1036, 1038}, 0, 0, 0, 0, 32.0, 29.92, 1.0, 10.0},
        {{1213, 1216, 1037, 1039}, 0, 1, 1, 1, 32.0, 759.97, 25.4, 8.70},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clicks[0] * 1000 + c.clicks[1]);
        EXPECT_EQ(runWith([&](FakeDialogView& v) {
                      for (int id : c.clicks)
                          v.click(id);
                      v.click(platform::IdOk);
                  }),
                  platform::IdOk);
        EXPECT_EQ(config.tempUnit, c.temp);
        EXPECT_EQ(config.baroUnit, c.baro);
        EXPECT_EQ(config.rainUnit, c.rain);
        EXPECT_EQ(config.windUnit, c.wind);
        // Both engines convert readings to the new units at once.
        for (station::ConditionsReader* reader :
             {static_cast<station::ConditionsReader*>(&station.tirrelReader()),
              static_cast<station::ConditionsReader*>(&station.classicReader())}) {
            const station::ConditionsUnits& units = reader->units();
            EXPECT_NEAR(units.temperature(320), c.freezing, 1e-4);
            EXPECT_NEAR(units.barometer(29920), c.barometer, 1e-2);
            EXPECT_NEAR(units.rain(100), c.rain100Tips, 1e-4);
            EXPECT_NEAR(units.windSpeed(10), c.wind10Mph, 1e-2);
        }
        ConfigRecord saved;
        ASSERT_EQ(loadConfig(saved, stationDir), ConfigLoad::Loaded);
        EXPECT_EQ(saved.tempUnit, c.temp);
        EXPECT_EQ(saved.baroUnit, c.baro);
        EXPECT_EQ(saved.rainUnit, c.rain);
        EXPECT_EQ(saved.windUnit, c.wind);
    }
    EXPECT_TRUE(gate.allowed());
}

TEST_F(UnitsDialogTest, CancelChangesNothingAndLeavesTheFileUntouched)
{
    ASSERT_FALSE(saveConfig(config, stationDir));
    const std::string before = readFile(configFilePath(stationDir));
    // Held in memory only: a save would put it into the file.
    config.ftpHost = "unsaved.example";
    EXPECT_EQ(runWith([](FakeDialogView& v) {
                  v.click(1214);
                  v.click(1218);
                  v.click(platform::IdCancel);
              }),
              platform::IdCancel);
    EXPECT_EQ(config.tempUnit, 0);
    EXPECT_EQ(config.baroUnit, 0);
    EXPECT_EQ(station.reader().units().selection, units::UnitsSelection{});
    EXPECT_EQ(readFile(configFilePath(stationDir)), before);
}

TEST_F(UnitsDialogTest, UnknownCodesCheckNothingAndKeepBarometerAndWind)
{
    // A record from elsewhere may hold codes no button stands for.
    config.tempUnit = 5;
    config.baroUnit = 9;
    config.rainUnit = -1;
    config.windUnit = 4;
    runWith([](FakeDialogView& v) {
        for (int id : {1213, 1214, 1215, 1218, 1036, 1037, 1038, 1041})
            EXPECT_FALSE(v.checked(id)) << id;
        v.click(platform::IdOk);
    });
    EXPECT_EQ(config.tempUnit, 1); // "°F" unchecked
    EXPECT_EQ(config.rainUnit, 1); // "in" unchecked
    EXPECT_EQ(config.baroUnit, 9);
    EXPECT_EQ(config.windUnit, 4);
}

TEST_F(UnitsDialogTest, HelpButtonAndF1OpenTopic40AndTheGateIsClosedMeanwhile)
{
    runWith([&](FakeDialogView& v) {
        EXPECT_FALSE(gate.allowed());
        v.click(kHelpButton);
        v.sendCommand(platform::IdHelpKey);
        EXPECT_FALSE(v.ended());
        v.click(platform::IdCancel);
    });
    EXPECT_EQ(ui.helpTopics(), (std::vector<int>{40, 40}));
    EXPECT_TRUE(gate.allowed());
}

} // namespace
} // namespace bv::app::test
