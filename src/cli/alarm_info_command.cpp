#include "cli/alarm_info_command.h"

#include <fstream>

#include "cli/command_line.h"
#include "paging/alarm_info.h"

namespace bv::cli {

int runAlarmInfoCommand(CommandContext& context)
{
    if (!context.args.empty()) {
        context.err << "usage: viraraz alarm-info\n";
        return kExitUsage;
    }
    app::ConfigRecord config;
    if (!loadStationConfig(context, config))
        return kExitFailure;
    if (const std::error_code error = paging::writeAlarmInfo(config, context.stationDir)) {
        context.err << "viraraz: cannot write " << paging::kAlarmInfoFileName << ": "
                    << error.message() << '\n';
        return kExitFailure;
    }
    std::ifstream report(context.stationDir / paging::kAlarmInfoFileName, std::ios::binary);
    context.out << report.rdbuf();
    return kExitOk;
}

} // namespace bv::cli
