#pragma once

#include "cli/command.h"
#include "cli/poll_command.h"

// The commands that change the station's settings, each one station
// operation of the Set Time and Archive dialogs, with their messages: what
// the station did not take gives "Station Communication Error. Check station
// settings." (also in event.log) and exit status 1. A command that runs for
// more than a second shows a progress line on a terminal.
namespace bv::cli {

// viraraz set-time [YYYY-MM-DD HH:MM]: sets the station's clock to the given
// local date and time, or to the PC's, and realigns its archive schedule.
int runSetTimeCommand(CommandContext& context);
int setStationTimeCommand(CommandContext& context, PollEnvironment& environment);

// viraraz archive-interval MINUTES (1, 5, 10, 15, 30, 60 or 120): sets the
// archive and sample periods; this clears the archive memory.
int runArchiveIntervalCommand(CommandContext& context);
int setArchiveIntervalCommand(CommandContext& context, PollEnvironment& environment);

// viraraz clear-archive: empties the station's archive memory.
int runClearArchiveCommand(CommandContext& context);
int clearArchiveCommand(CommandContext& context, PollEnvironment& environment);

} // namespace bv::cli
