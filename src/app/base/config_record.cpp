#include "app/base/config_record.h"

#include <algorithm>

namespace bv::app {

void loadDefaults(ConfigRecord& record)
{
    record = ConfigRecord{};
}

void disableAutomaticActivities(ConfigRecord& record)
{
    record.internetTransferEnabled = false;
    record.localTransferEnabled = false;
    record.downloadEnabled = false;
    record.pageOnAlarm = false;
    record.pageWeather = false;
    record.loggerEnabled = false;
}

bool applyCommandLineSwitch(ConfigRecord& record, const std::vector<std::string>& args)
{
    const bool present = std::ranges::any_of(
        args, [](const std::string& arg) { return arg == "-d" || arg == "-D"; });
    if (present) {
        disableAutomaticActivities(record);
    }
    return present;
}

} // namespace bv::app
