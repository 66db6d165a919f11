#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/base/config_values.h"

namespace bv::app {
namespace {

FieldSelection select(std::string_view name)
{
    std::string error;
    const FieldSelection selection = selectField(name, error);
    EXPECT_NE(selection.field, nullptr) << error;
    return selection;
}

struct SetCase {
    std::string_view name;
    std::string_view input;
    std::string_view stored; // as formatted afterwards; empty = refused
};

TEST(ConfigValues, SetChecksTypeRangeChoicesAndWidth)
{
    const std::string host99(99, 'h');
    const std::string host100(100, 'h');
    const std::string init48(48, 'i');
    const std::string init49(49, 'i');
    const SetCase cases[] = {
        {"ftpPort", "2121", "2121"},
        {"ftpPort", "65535", "65535"},
        {"ftpPort", "0", ""},
        {"ftpPort", "65536", ""},
        {"ftpPort", "21x", ""},
        {"ftpPort", "", ""},
        {"ftpPort", " 21", ""},
        {"stationBaud", "1200", "1200"},
        {"stationBaud", "9600", ""},
        {"stationModel", "Tirrel E", "5"},
        {"stationModel", "6", ""},
        {"tempUnit", "°C", "1"},
        {"tempUnit", "2", ""},
        {"stationComPort", "127", "127"},
        {"stationComPort", "128", ""},
        {"stationComPort", "0", ""},
        {"transferIntervalSec", "2147483647", "2147483647"},
        {"transferIntervalSec", "2147483648", ""},
        {"downloadIntervalMin", "35791394", "35791394"},
        {"downloadIntervalMin", "35791395", ""},
        {"transferRange.toMin", "1439", "1439"},
        {"transferRange.toMin", "1440", ""},
        {"dialAttempts", "10", "10"},
        {"dialAttempts", "11", ""},
        {"stayConnected", "on", "1"},
        {"stayConnected", "0", "0"},
        {"stayConnected", "2", ""},
        {"ftpHost", host99, host99},
        {"ftpHost", host100, ""},
        {"stationModemInit", init48, init48},
        {"stationModemInit", init49, ""},
        {"templateExtension", "shtm", "shtm"},
        {"templateExtension", "shtml", ""},
        {"alarmLimits[3]", "-12.5", "-12.5"},
        {"alarmLimits[3]", "nan", ""},
        {"alarmLimits[3]", "inf", ""},
        {"andAlarmValue", "1,2.5,-100,0.1", "1,2.5,-100,0.1"},
        {"andAlarmValue", "1,2,3", ""},
        {"andAlarmValue", "1,2,3,x", ""},
        {"transferRange.days", "0,1,1,1,1,1,0", "0,1,1,1,1,1,0"},
        {"loggerDays[6]", "1", "1"},
        {"stationDir", "/tmp", ""},
    };
    for (const auto& c : cases) {
        ConfigRecord record;
        const ConfigRecord before = record;
        const FieldSelection selection = select(c.name);
        const std::string error = setValue(record, selection, c.input);
        if (c.stored.empty()) {
            EXPECT_FALSE(error.empty()) << c.name << " = " << c.input;
            EXPECT_EQ(record, before) << c.name << " = " << c.input;
        } else {
            EXPECT_EQ(error, "") << c.name << " = " << c.input;
            EXPECT_EQ(formatValue(record, selection), c.stored) << c.name;
        }
    }
}

TEST(ConfigValues, RefusalsNameTheFieldAndWhatItTakes)
{
    ConfigRecord record;
    EXPECT_EQ(setValue(record, select("ftpPort"), "70000"),
              "ftpPort must be a whole number from 1 to 65535");
    EXPECT_EQ(setValue(record, select("stationBaud"), "300"),
              "stationBaud must be one of 1200, 2400");
    EXPECT_EQ(setValue(record, select("archiveFileName"), std::string(50, 'a')),
              "archiveFileName takes at most 49 characters");
    EXPECT_EQ(setValue(record, select("alarmLimits"), "1,2"),
              "alarmLimits takes 22 values separated by commas, or one element as "
              "alarmLimits[INDEX]");
}

TEST(ConfigValues, UnknownNamesAndElementsAreRefused)
{
    for (const char* name : {"nosuch", "ftphost", "alarmLimits[22]", "alarmLimits[x]",
                             "alarmLimits[1", "ftpHost[1]", "transferRange"}) {
        std::string error;
        EXPECT_EQ(selectField(name, error).field, nullptr) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
}

TEST(ConfigValues, EveryFieldTakesBackItsOwnDefault)
{
    std::set<std::string_view> names;
    for (const ConfigField& field : configFields()) {
        EXPECT_TRUE(names.insert(field.name).second) << field.name;
        if (field.readOnly) {
            continue;
        }
        ConfigRecord record;
        const FieldSelection selection{&field, std::nullopt};
        EXPECT_EQ(setValue(record, selection, formatValue(record, selection)), "") << field.name;
        EXPECT_EQ(record, ConfigRecord{}) << field.name;
    }
}

TEST(ConfigValues, FormatsForPeopleAndForScripts)
{
    ConfigRecord record;
    record.stationModel = 4;
    record.alarmLimits[0] = 0.1f;
    EXPECT_EQ(describeValue(record, select("stationModel")), "4 (Tirrel D)");
    EXPECT_EQ(formatValue(record, select("stationModel")), "4");
    EXPECT_EQ(describeValue(record, select("stationBaud")), "2400");
    EXPECT_EQ(formatValue(record, select("alarmLimits[0]")), "0.1");
    EXPECT_EQ(formatValue(record, select("transferRange.days")), "1,1,1,1,1,1,1");
}

TEST(ConfigSwitch, OnlyAWholeDashDArgumentDisablesEveryAutomaticActivity)
{
    struct Case {
        std::vector<std::string> args;
        bool disables;
    };
    const Case cases[] = {
        {{"-d"}, true},   {{"--headless", "-D"}, true},
        {{}, false},      {{"--station-dir", "/srv/wx-data"}, false},
        {{"-dx"}, false},
    };
    for (const auto& c : cases) {
        ConfigRecord record;
        for (Flag* flag : {&record.internetTransferEnabled, &record.localTransferEnabled,
                           &record.downloadEnabled, &record.pageOnAlarm, &record.pageWeather,
                           &record.loggerEnabled, &record.stayConnected}) {
            *flag = true;
        }
        EXPECT_EQ(applyCommandLineSwitch(record, c.args), c.disables);
        const bool on = !c.disables;
        EXPECT_EQ(bool(record.internetTransferEnabled), on);
        EXPECT_EQ(bool(record.localTransferEnabled), on);
        EXPECT_EQ(bool(record.downloadEnabled), on);
        EXPECT_EQ(bool(record.pageOnAlarm), on);
        EXPECT_EQ(bool(record.pageWeather), on);
        EXPECT_EQ(bool(record.loggerEnabled), on);
        EXPECT_TRUE(record.stayConnected);
    }
}

} // namespace
} // namespace bv::app
