#pragma once

#include "cli/command.h"
#include "cli/poll_command.h"

namespace bv::cli {

// viraraz detect
//
// AutoDetect from the command line: tries ports 1 to 10 at 1200 and 2400 baud
// as the Station Setup dialog does, takes the first station that answers, and
// stores its port, the rate it answered at and its model in config.dat. A
// station reached by modem is refused; finding none gives "No more stations
// found." and exit status 1.
int runDetectCommand(CommandContext& context);

// The same on the given environment.
int detectStation(CommandContext& context, PollEnvironment& environment);

} // namespace bv::cli
