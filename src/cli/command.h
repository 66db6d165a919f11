#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace bv::cli {

// Exit statuses of viraraz.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // refused value, station or file failure
inline constexpr int kExitUsage = 2;   // unknown command, missing or extra arguments

// What a subcommand is given.
struct CommandContext {
    std::filesystem::path stationDir; // --station-dir, else the current directory; it exists
    std::vector<std::string> args;    // the words after the subcommand's name
    std::ostream& out;
    std::ostream& err; // messages start with "viraraz: "
};

using CommandHandler = int (*)(CommandContext& context);

// One subcommand of viraraz; main.cpp holds the table.
struct Command {
    std::string_view name;
    std::string_view arguments; // shown after the name in the usage text
    std::string_view summary;
    CommandHandler run;
};

} // namespace bv::cli
