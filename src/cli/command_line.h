#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/base/config_record.h"
#include "cli/command.h"

namespace bv::cli {

// Runs one viraraz command line (the words after the program name) against
// the command table: takes "--station-dir DIR" or "--station-dir=DIR" wherever
// it stands, picks the subcommand by its name and returns its exit status.
// "--help" or no words print the usage.
int runCommandLine(std::span<const Command> commands, const std::vector<std::string>& words,
                   std::ostream& out, std::ostream& err);

// An option with a value, "NAME VALUE" or "NAME=VALUE", taken out of words
// wherever it stands; the last one given counts.
struct TakenOption {
    std::optional<std::string> value; // nothing when the option was not given
    std::string error;                // "NAME needs a value" when it ends the words
};
TakenOption takeOption(std::vector<std::string>& words, std::string_view name);

// Reads config.dat of the station directory as the programs see it at start:
// the defaults, the file over them, stationDir set. No file gives the
// defaults. A file that is there but unusable leaves the defaults in record,
// says so on err and gives false.
bool loadStationConfig(const CommandContext& context, app::ConfigRecord& record);

} // namespace bv::cli
