#include "paging/alarm_info.h"

#include <array>
#include <cstdio>

#include "app/base/atomic_file.h"
#include "app/base/strings_paging.h"
#include "paging/alarm_limits.h"
#include "paging/alarm_quantity.h"
#include "paging/pager_entry.h"

namespace bv::paging {

namespace strings = app::strings;

namespace {

// A limit as the report shows it: the label, the value with one decimal and
// a blank; two tabs for a missing limit keep the code column in place.
std::string limitText(std::string_view label, float limit)
{
    if (!limitSet(limit))
        return std::string(strings::kAlarmInfoNoLimit);
    std::array<char, 64> number{};
    std::snprintf(number.data(), number.size(), "%.1f ", static_cast<double>(limit));
    return std::string(label) + number.data();
}

static_assert(strings::kAlarmInfoNames.size() == kLimitQuantityCount);

} // namespace

std::string alarmInfoText(const app::ConfigRecord& config, const std::optional<AlarmCodes>& codes)
{
    if (!codes)
        return std::string(strings::kAlarmsNotConfigured);
    std::string text(config.pageOnAlarm ? strings::kPagerAlarmStatusEnabled
                                        : strings::kPagerAlarmStatusDisabled);
    for (int quantity = 0; quantity < kLimitQuantityCount; ++quantity) {
        const float low = alarmLimit(config, quantity, LimitSide::Low);
        const float high = alarmLimit(config, quantity, LimitSide::High);
        if (!limitSet(low) && !limitSet(high))
            continue;
        const auto index = static_cast<std::size_t>(quantity);
        text += strings::kAlarmInfoNames.at(index);
        text += limitText(strings::kAlarmInfoLow, low);
        text += limitText(strings::kAlarmInfoHigh, high);
        text += strings::kAlarmInfoCode;
        text += (*codes)[index];
        text += '\n';
    }
    return text;
}

std::error_code writeAlarmInfo(const app::ConfigRecord& config,
                               const std::filesystem::path& stationDir)
{
    const std::string text =
        alarmInfoText(config, readAlarmCodes(stationDir / kAlarmCodesFileName));
    return app::writeFileAtomically(stationDir / kAlarmInfoFileName, text, kSettingsFileMode);
}

} // namespace bv::paging
