#include "cli/command_line.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "app/base/config_file.h"

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

} // namespace

int runCommandLine(std::span<const Command> commands, const std::vector<std::string>& words,
                   std::ostream& out, std::ostream& err)
{
    std::vector<std::string> rest = words;
    const TakenOption stationDirOption = takeOption(rest, kStationDirOption);
    if (!stationDirOption.error.empty()) {
        err << "viraraz: " << stationDirOption.error << '\n';
        return kExitUsage;
    }
    if (rest.empty()) {
        printUsage(commands, err);
        return kExitUsage;
    }
    const std::string name = rest.front();
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
    const std::filesystem::path stationDir = stationDirOption.value
                                                 ? std::filesystem::path(*stationDirOption.value)
                                                 : std::filesystem::current_path(error);
    if (error || !std::filesystem::is_directory(stationDir, error)) {
        err << "viraraz: the station directory \"" << stationDir.string()
            << "\" is not a directory\n";
        return kExitUsage;
    }
    rest.erase(rest.begin());
    CommandContext context{stationDir, std::move(rest), out, err};
    return command->run(context);
}

TakenOption takeOption(std::vector<std::string>& words, std::string_view name)
{
    TakenOption taken;
    const std::string withValue = std::string(name) + "=";
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == name) {
            if (i + 1 == words.size()) {
                taken.error = std::string(name) + " needs a value";
                return taken;
            }
            taken.value = words[++i];
        } else if (word.starts_with(withValue)) {
            taken.value = word.substr(withValue.size());
        } else {
            rest.push_back(word);
        }
    }
    words = std::move(rest);
    return taken;
}

bool loadStationConfig(const CommandContext& context, app::ConfigRecord& record)
{
    const app::ConfigLoad result = app::startConfig(record, context.stationDir);
    if (result == app::ConfigLoad::Loaded || result == app::ConfigLoad::Missing)
        return true;
    context.err << "viraraz: " << app::configFilePath(context.stationDir).string()
                << (result == app::ConfigLoad::WrongSize ? " is not " : " cannot be read as ")
                << "a settings file of " << app::kConfigFileSize << " bytes\n";
    return false;
}

} // namespace bv::cli
