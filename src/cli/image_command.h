#pragma once

#include "cli/command.h"
#include "cli/poll_command.h"

namespace bv::cli {

// viraraz graph N|all
//
// Draws archive graph N (0 inside temperature .. 8 wind chill, 9 wind
// direction, 10 wind run), or every graph, from the archive text file named in
// config.dat (Download/<archiveFileName>) into Images/, printing the path of
// each file written. A graph that cannot be made has its message printed and
// appended to event.log, and the exit status is 1.
int runGraphCommand(CommandContext& context);

// viraraz image N|all
//
// Polls the configured station once and draws current-weather image N (0
// inside temperature .. 11 wind direction, as Setup Images numbers them), or
// every image, into Images/, printing the path of each file written. A
// station that does not answer gives its message and exit status 1; an image
// whose value is missing has its message printed and appended to event.log,
// and the exit status is 1.
int runImageCommand(CommandContext& context);

// The same on the given environment.
int makeCurrentImages(CommandContext& context, PollEnvironment& environment);

} // namespace bv::cli
