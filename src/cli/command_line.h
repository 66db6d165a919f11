#pragma once

#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "cli/command.h"

namespace bv::cli {

// Runs one viraraz command line (the words after the program name) against
// the command table: takes "--station-dir DIR" or "--station-dir=DIR" wherever
// it stands, picks the subcommand by its name and returns its exit status.
// "--help" or no words print the usage.
int runCommandLine(std::span<const Command> commands, const std::vector<std::string>& words,
                   std::ostream& out, std::ostream& err);

} // namespace bv::cli
