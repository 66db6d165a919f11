#pragma once

#include "cli/command.h"

namespace bv::cli {

// viraraz graph N|all
//
// Draws archive graph N (0 inside temperature .. 8 wind chill, 9 wind
// direction, 10 wind run), or every graph, from the archive text file named in
// config.dat (Download/<archiveFileName>) into Images/, printing the path of
// each file written. A graph that cannot be made has its message printed and
// appended to event.log, and the exit status is 1.
int runGraphCommand(CommandContext& context);

} // namespace bv::cli
