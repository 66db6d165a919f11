#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include "app/shell/program_options.h"

namespace bv::app {

// Makes the station directory of the options (if any) the current directory,
// where the program then works. Returns an error text, or empty on success.
std::string enterStationDirectory(const ProgramOptions& options);

// `hollit --headless`, and `hollit` without a display: the same Application as
// the window's, on the poll event loop, with a Ui that writes status lines and
// message boxes (answered with the safe button) to log. Gives the station
// directory helpFile as "Viraraz.hlp" when it has none. Runs timer 1 until
// SIGTERM or SIGINT, then stops it and saves "config.dat". Returns the exit
// code: 0, or 1 when the configuration could not be saved.
int runHeadless(const ProgramOptions& options, Edition edition, std::string_view helpFile,
                std::ostream& log);

} // namespace bv::app
