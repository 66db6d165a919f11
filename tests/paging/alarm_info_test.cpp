#include "paging/alarm_info.h"

#include <gtest/gtest.h>

#include "paging/alarm_limits.h"
#include "paging/alarm_quantity.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

namespace bv::paging {
namespace {

using testsupport::readText;
using testsupport::writeText;

struct Limit {
    int quantity;
    LimitSide side;
    float value;
};

// pager.inf against reports written out by hand; each run replaces a longer
// report of an earlier run.
TEST(AlarmInfo, WritesTheReportAnewFromLimitsAndAlarmDat)
{
    const struct {
        const char* expectedFile;
        const char* alarmDat; // nullptr: no alarm.dat
        bool pageOnAlarm;
        std::vector<Limit> limits;
    } cases[] = {
        {"pager_inf_no_alarm_dat.txt", nullptr, true, {{OutsideTemp, LimitSide::Low, 32.0f}}},
        {"pager_inf_no_limits.txt", "1\n2\n", true, {}},
        {"pager_inf_limits.txt",
         // CRLF line ends, a code longer than 20 characters, only 8 lines.
         "100\r\n123\r\n12345678901234567890XYZ\r\n400\r\n555\r\n*45\r\n700\r\n800\r\n",
         false,
         {{OutsideTemp, LimitSide::Low, 32.0f},
          {InsideHum, LimitSide::Low, 20.0f},
          {InsideHum, LimitSide::High, 80.0f},
          {Barometer, LimitSide::Low, 29.92f},
          {Barometer, LimitSide::High, 30.8f},
          {WindSpeed, LimitSide::High, 25.0f},
          {WindChill, LimitSide::Low, -10.0f},
          {Thi, LimitSide::High, 90.05f}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expectedFile);
        testsupport::TempDir dir;
        writeText(dir.path() / "pager.inf", std::string(400, 'x'));
        if (c.alarmDat != nullptr)
            writeText(dir.path() / "alarm.dat", c.alarmDat);
        app::ConfigRecord config;
        config.pageOnAlarm = c.pageOnAlarm;
        for (const Limit& limit : c.limits)
            setAlarmLimit(config, limit.quantity, limit.side, limit.value);
        config.andAlarmValue[0] = 50.0f; // AND alarms are never listed
        ASSERT_FALSE(writeAlarmInfo(config, dir.path()));
        EXPECT_EQ(readText(dir.path() / "pager.inf"),
                  readText(std::filesystem::path(BV_PAGING_EXPECTED_DIR) / c.expectedFile));
    }
}

TEST(AlarmInfo, AReportThatCannotBeWrittenIsAnError)
{
    testsupport::TempDir dir;
    EXPECT_TRUE(writeAlarmInfo(app::ConfigRecord{}, dir.path() / "gone"));
}

} // namespace
} // namespace bv::paging
