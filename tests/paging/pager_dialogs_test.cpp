#include <gtest/gtest.h>

#include <fstream>

#include "app/base/dialog_host.h"
#include "paging/advanced_dialog.h"
#include "paging/alarm_limits.h"
#include "paging/alarm_quantity.h"
#include "paging/pager_alarms_dialog.h"
#include "paging/pager_entry_dialog.h"
#include "paging/pager_setup_dialog.h"
#include "paging/weather_items_dialog.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/virtual_time.h"

namespace bv::paging {
namespace {

using platform::MessageResult;
using testsupport::FakeDialogView;

std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class PagerDialogsTest : public ::testing::Test {
  protected:
    template <class D> int run(D& dialog, const char* name, testsupport::ScriptedUi::DialogScript s)
    {
        ui.onDialog(name, std::move(s));
        return dialog.run(host);
    }
    std::string lastBox() const { return ui.boxes().empty() ? "" : ui.boxes().back().request.text; }

    testsupport::TempDir dir;
    testsupport::VirtualTime time;
    testsupport::ScriptedUi ui;
    units::RegionalSettings regional;
    app::Shell shell{ui, time, regional};
    app::DialogHost host{ui};
    app::ConfigRecord config;
};

TEST_F(PagerDialogsTest, EntryChecksNameNumbersAndTelephoneLength)
{
    using namespace pager_entry_dialog;
    PagerEntry entry;
    PagerEntryDialog dialog(shell, entry);
    const int result = run(dialog, "PAGER_ENTRY", [&](FakeDialogView& v) {
        v.click(kTelephone);
        EXPECT_EQ(v.text(kNumberLabel), "Phone#");
        EXPECT_FALSE(v.enabled(kAccess));
        v.enterText(kName, "My Phone");
        v.click(platform::IdOk);
        EXPECT_EQ(lastBox(), "Invalid Pager entry name. Spaces are not allowed in the entry name.");
        EXPECT_EQ(v.focus(), kName);
        v.enterText(kName, "MyPhone");
        v.enterText(kNumber, "555 1234");
        v.click(platform::IdOk);
        EXPECT_EQ(lastBox(), "Invalid Pager#. Spaces are not allowed.");
        // 10 + 3 x 6 + 3 + 13 + 1 = 45
        v.enterText(kNumber, "5551234567");
        v.changeValue(kConnectDelay, 6);
        v.changeValue(kBeeps, 6);
        v.click(platform::IdOk);
        EXPECT_EQ(ui.boxes().back().request.caption, "Warning");
        EXPECT_FALSE(v.ended());
        v.changeValue(kBeeps, 5); // 42
        v.click(platform::IdOk);
    });
    EXPECT_EQ(result, platform::IdOk);
    EXPECT_EQ(entry.name, "MyPhone");
    EXPECT_EQ(entry.kind, EntryKind::Telephone);
    EXPECT_EQ(entry.beeps, 5);
    EXPECT_EQ(entry.access, "0");
    EXPECT_EQ(telephonePageLength(entry), 42);
}

TEST_F(PagerDialogsTest, AlphaNumericEntryTakesItsAdvancedProperties)
{
    using namespace pager_entry_dialog;
    PagerEntry entry;
    PagerEntryDialog dialog(shell, entry);
    ui.onDialog("PAGER_ADVANCED", [](FakeDialogView& v) {
        EXPECT_TRUE(v.checked(advanced_dialog::kManual));
        EXPECT_EQ(v.text(advanced_dialog::kBaudRate), "1200");
        v.click(advanced_dialog::kAutomatic);
        v.choose(advanced_dialog::kBaudRate, 2);
        v.changeValue(advanced_dialog::kTimeInterval, 3);
        v.click(platform::IdOk);
    });
    run(dialog, "PAGER_ENTRY", [&](FakeDialogView& v) {
        v.click(kAlphaNumeric);
        EXPECT_FALSE(v.enabled(kBeeps));
        v.enterText(kName, "Alpha");
        v.enterText(kNumber, "");
        v.enterText(kAccess, "77");
        v.click(kAdvanced);
        v.click(platform::IdOk);
    });
    EXPECT_EQ(entry.number, "0");
    EXPECT_EQ(entry.access, "77");
    const AdvancedSettings expected{2, 3, 3, 2};
    EXPECT_EQ(entry.advanced, expected);
}

TEST_F(PagerDialogsTest, AlarmsShowStoreAndForceLimits)
{
    using namespace pager_alarms_dialog;
    config.stationModel = 0;
    config.rainCollector = 1;
    setAlarmLimit(config, OutsideTemp, LimitSide::Low, 32);
    config.andAlarmParam[1] = 12;
    config.andAlarmValue[1] = 2;
    std::ofstream(dir.path() / "alarm.dat") << "1\n2\n";
    PagerAlarmsDialog dialog(config, dir.path() / "alarm.dat");
    run(dialog, "PAGER_ALARMS", [&](FakeDialogView& v) {
        EXPECT_EQ(v.text(kFirstLow + OutsideTemp), "32.0");
        EXPECT_EQ(v.text(kFirstHigh + OutsideTemp), "");
        EXPECT_EQ(v.text(kFirstCode + OutsideTemp), "2");
        EXPECT_FALSE(v.enabled(kFirstLow + WindSpeed));
        EXPECT_FALSE(v.enabled(kFirstHigh + WindChill));
        EXPECT_EQ(v.text(kFirstCompass + 1), "NE");
        EXPECT_FALSE(v.visible(kFirstLimit + 1));
        v.enterText(kFirstLow + OutsideTemp, "-");
        v.enterText(kFirstHigh + OutsideTemp, "95.5");
        v.enterText(kFirstHigh + Barometer, ".");
        v.choose(kFirstQuantity + 2, OutsideHum + 1);
        EXPECT_EQ(v.text(kFirstSense + 2), "Low");
        v.click(kFirstSense + 2);
        v.enterText(kFirstLimit + 2, "20");
        v.enterText(kFirstAndCode + 1, "88");
        v.click(platform::IdOk);
    });
    EXPECT_EQ(alarmLimit(config, OutsideTemp, LimitSide::Low), -100.0f);
    EXPECT_EQ(alarmLimit(config, OutsideTemp, LimitSide::High), 95.5f);
    EXPECT_EQ(alarmLimit(config, Barometer, LimitSide::High), -100.0f);
    EXPECT_EQ(config.andAlarmParam[1], 12);
    EXPECT_EQ(config.andAlarmValue[1], 2.0f);
    EXPECT_EQ(config.andAlarmParam[2], OutsideHum + 1);
    EXPECT_EQ(config.andAlarmHigh[2], 1);
    EXPECT_EQ(config.andAlarmValue[2], 20.0f);
    EXPECT_EQ(readFile(dir.path() / "alarm.dat"), "1\n2\n\n\n\n\n\n\n\n\n\n\n88\n");
}

TEST_F(PagerDialogsTest, WeatherItemsClearWhatTheModelCannotReport)
{
    using namespace weather_items_dialog;
    config.stationModel = 2; // Carrow II
    config.rainCollector = 0;
    WeatherItemsDialog dialog(config);
    run(dialog, "PAGER_WEATHER", [](FakeDialogView& v) {
        for (const int q : {InsideTemp, InsideHum, DailyRain, WindDirection, WindSpeed})
            v.click(kFirstItem + q);
        v.click(platform::IdOk);
    });
    std::array<app::Flag, 12> expected{};
    expected[InsideTemp] = true;
    expected[WindSpeed] = true;
    EXPECT_EQ(config.weatherPageItems, expected);
}

TEST_F(PagerDialogsTest, SetupEditsEntriesAndSendPageNowNeedsAPagingSwitch)
{
    using namespace pager_setup_dialog;
    std::ofstream(dir.path() / "pager.dat")
        << "Old\t\t\t\t\t0\t6\t0\t1\t0\t\x01\x02\x01\x02\t2\t\nbroken\n";
    int rangesEdited = 0;
    PagerSetupDialog dialog(config, shell, dir.path(),
                            {[&](app::DayRange& range) {
                                 range.enabled = true;
                                 return ++rangesEdited;
                             },
                             [] { return 4; }});
    ui.onDialog("PAGER_ENTRY", [](FakeDialogView& v) {
        v.enterText(pager_entry_dialog::kName, "New");
        v.enterText(pager_entry_dialog::kNumber, "999");
        v.click(platform::IdOk);
    });
    run(dialog, "SETUP_PAGER", [&](FakeDialogView& v) {
        EXPECT_EQ(v.items(kEntries), std::vector<std::string>{"Old  Numeric Pager  1"});
        v.click(kEditEntry);
        EXPECT_EQ(lastBox(), "Select a pager entry first !");
        v.click(kAddEntry);
        v.choose(kEntries, 0);
        ui.queueAnswer(MessageResult::Yes);
        v.click(kDeleteEntry);
        EXPECT_EQ(lastBox(), "Delete Pager Entry \"Old\" ?");
        v.click(kAutoDetect);
        v.click(kWeatherRange);
        v.click(kDefaultInit);
        v.changeValue(kAlarmHours, 2);
        v.changeValue(kAlarmMinutes, 5);
        v.click(kSendPageNow);
        EXPECT_EQ(lastBox(), "Either the PageOnAlarm or PageCurrentWeather must be checked.");
        v.click(kPageOnAlarm);
        v.click(kSendPageNow);
    });
    EXPECT_TRUE(dialog.sendPageNow());
    EXPECT_EQ(rangesEdited, 1);
    EXPECT_TRUE(config.weatherPageRange.enabled);
    EXPECT_FALSE(config.alarmPageRange.enabled);
    EXPECT_EQ(config.pagerComPort, 4);
    EXPECT_EQ(config.alarmPageIntervalMin, 125);
    EXPECT_EQ(config.pagerModemInit, "AT &F0 E &M Q V1 X4 S7=60");
    EXPECT_EQ(readFile(dir.path() / "pager.dat"),
              "New\t\t\t\t\t0\t6\t0\t999\t0\t\x01\x02\x01\x02\t2\t\n");
}

} // namespace
} // namespace bv::paging
