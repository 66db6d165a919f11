#pragma once

#include "cli/command.h"

namespace bv::cli {

// viraraz dial: connects the configured dial-up entry through pppd as the
// main program does, then stays while the link is up; SIGINT or SIGTERM (or
// `viraraz hang-up` from elsewhere) ends it.
int runDialCommand(CommandContext& context);

// viraraz hang-up: ends the configured entry's link.
int runHangUpCommand(CommandContext& context);

} // namespace bv::cli
