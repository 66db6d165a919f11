#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/shell/application.h"

namespace bv::app {

// The command line of `hollit` and `hollit1`.
struct ProgramOptions {
    bool headless = false;         // --headless: no window, the scheduler runs on its own
    std::string stationDir;        // --station-dir DIR; empty: the current directory
    bool disableAutomatic = false; // "-d" or "-D": start with every automatic activity off
    bool showVersion = false;      // --version
    bool showHelp = false;         // --help
    // --report-startup: say on stderr when the window is first shown and idle
    // (for the start-up timings of bench/gui_startup.sh).
    bool reportStartup = false;
    std::string error; // not empty: the command line was refused, for this reason
};

ProgramOptions parseProgramOptions(const std::vector<std::string>& args);

// "hollit" or "hollit1".
std::string_view programName(Edition edition);
std::string usageText(Edition edition);
// One line: the program's name, version and whether it has dial-up networking.
std::string versionText(Edition edition);

// The arguments start() sees: "-d" when the switch was given, else none.
std::vector<std::string> configurationSwitches(const ProgramOptions& options);

} // namespace bv::app
