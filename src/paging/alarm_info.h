#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "app/base/config_record.h"
#include "paging/alarm_codes.h"

namespace bv::paging {

inline constexpr std::string_view kAlarmInfoFileName = "pager.inf";

// The alarm information report: "Alarms not configured." without codes (no
// alarm.dat); else the Page on Alarm status and two blank lines, then one
// line per quantity 0..10 with a low or high limit: its name, the limits
// with one decimal (tabs where one is missing) and its code. The AND alarms
// are not listed.
std::string alarmInfoText(const app::ConfigRecord& config, const std::optional<AlarmCodes>& codes);

// View Alarm Info: reads the station directory's alarm.dat and writes its
// pager.inf anew (whole or not at all).
std::error_code writeAlarmInfo(const app::ConfigRecord& config,
                               const std::filesystem::path& stationDir);

} // namespace bv::paging
