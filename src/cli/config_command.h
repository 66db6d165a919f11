#pragma once

#include "cli/command.h"

namespace bv::cli {

// viraraz config show [--json] | get NAME | set NAME VALUE
//
// Shows or changes config.dat of the station directory, one field at a time
// by its name; NAME[INDEX] reaches one element of an array. Without a
// config.dat, show and get give the defaults and set creates the file. A
// refused name or value changes nothing on disk.
int runConfigCommand(CommandContext& context);

} // namespace bv::cli
