#pragma once

#include "cli/command.h"

namespace bv::cli {

// viraraz alarm-info: writes pager.inf anew from config.dat and alarm.dat, as
// View Alarm Info does, and prints it.
int runAlarmInfoCommand(CommandContext& context);

} // namespace bv::cli
