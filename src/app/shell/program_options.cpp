#include "app/shell/program_options.h"

namespace bv::app {

namespace {

constexpr std::string_view kStationDirOption = "--station-dir";
constexpr std::string_view kVersion = BV_VERSION;

} // namespace

ProgramOptions parseProgramOptions(const std::vector<std::string>& args)
{
    ProgramOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-d" || arg == "-D") {
            options.disableAutomatic = true;
        } else if (arg == "--headless") {
            options.headless = true;
        } else if (arg == "--version") {
            options.showVersion = true;
        } else if (arg == "--report-startup") {
            options.reportStartup = true;
        } else if (arg == "--help" || arg == "-h") {
            options.showHelp = true;
        } else if (arg == kStationDirOption) {
            if (i + 1 == args.size() || args[i + 1].empty()) {
                options.error = "--station-dir needs a directory";
                return options;
            }
            options.stationDir = args[++i];
        } else if (arg.starts_with(std::string(kStationDirOption) + "=")) {
            options.stationDir = arg.substr(kStationDirOption.size() + 1);
            if (options.stationDir.empty()) {
                options.error = "--station-dir needs a directory";
                return options;
            }
        } else {
            options.error = "unknown argument '" + arg + "'";
            return options;
        }
    }
    return options;
}

std::string_view programName(Edition edition)
{
    return edition == Edition::WithDialUp ? "hollit" : "hollit1";
}

std::string usageText(Edition edition)
{
    std::string text = "Usage: ";
    text += programName(edition);
    text += " [-d] [--headless] [--station-dir DIR]\n"
            "  -d, -D             start with every automatic activity switched off\n"
            "  --headless         run the scheduler without a window (also without a display)\n"
            "  --station-dir DIR  the station directory (default: the current directory)\n"
            "  --version          show the version\n"
            "  --report-startup   say on stderr when the window is shown and idle\n";
    return text;
}

std::string versionText(Edition edition)
{
    std::string text(programName(edition));
    text += " ";
    text += kVersion;
    text += edition == Edition::WithDialUp ? " (with dial-up networking)"
                                           : " (without dial-up networking)";
    return text;
}

std::vector<std::string> configurationSwitches(const ProgramOptions& options)
{
    if (options.disableAutomatic)
        return {"-d"};
    return {};
}

} // namespace bv::app
