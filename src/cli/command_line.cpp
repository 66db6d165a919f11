#include "cli/command_line.h"

#include <algorithm>
#include <optional>
#include <system_error>

namespace bv::cli {
namespace {

constexpr std::string_view kStationDirOption = "--station-dir";

void printUsage(std::span<const Command> commands, std::ostream& to)
{
    to << "usage: viraraz [--station-dir DIR] COMMAND [ARGUMENTS]\n\n"
          "The station directory holds config.dat and the station's files; it is the\n"
          "current directory unless --station-dir names another.\n\ncommands:\n";
    for (const Command& command : commands) {
        to << "  " << command.name << ' ' << command.arguments << "\n      " << command.summary
           << '\n';
    }
}

struct ParsedLine {
    std::optional<std::string> stationDir;
    std::vector<std::string> rest;
    std::string error;
};

ParsedLine takeStationDir(const std::vector<std::string>& words)
{
    ParsedLine line;
    const std::string withValue = std::string(kStationDirOption) + "=";
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == kStationDirOption) {
            if (i + 1 == words.size()) {
                line.error = "--station-dir needs a directory";
                return line;
            }
            line.stationDir = words[++i];
        } else if (word.starts_with(withValue)) {
            line.stationDir = word.substr(withValue.size());
        } else {
            line.rest.push_back(word);
        }
    }
    return line;
}

} // namespace

int runCommandLine(std::span<const Command> commands, const std::vector<std::string>& words,
                   std::ostream& out, std::ostream& err)
{
    ParsedLine line = takeStationDir(words);
    if (!line.error.empty()) {
        err << "viraraz: " << line.error << '\n';
        return kExitUsage;
    }
    if (line.rest.empty()) {
        printUsage(commands, err);
        return kExitUsage;
    }
    const std::string name = line.rest.front();
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(commands, out);
        return kExitOk;
    }
    const auto command = std::ranges::find(commands, name, &Command::name);
    if (command == commands.end()) {
        err << "viraraz: unknown command \"" << name << "\" (viraraz --help lists them)\n";
        return kExitUsage;
    }

    std::error_code error;
    const std::filesystem::path stationDir = line.stationDir
                                                 ? std::filesystem::path(*line.stationDir)
                                                 : std::filesystem::current_path(error);
    if (error || !std::filesystem::is_directory(stationDir, error)) {
        err << "viraraz: the station directory \"" << stationDir.string()
            << "\" is not a directory\n";
        return kExitUsage;
    }
    line.rest.erase(line.rest.begin());
    CommandContext context{stationDir, std::move(line.rest), out, err};
    return command->run(context);
}

} // namespace bv::cli
