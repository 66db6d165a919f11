#include "setup/desktop_entries.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/base/atomic_file.h"

namespace bv::setup {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kProgramName = "Brisvane Viraraz";
constexpr std::string_view kLauncherFile = "brisvane-viraraz";
constexpr std::string_view kReadmeFile = "Readme.txt";
constexpr std::string_view kMenuId = "brisvane-viraraz";
constexpr mode_t kEntryMode = 0644;
constexpr mode_t kTrustedEntryMode = 0755; // desktops run only executable entries

fs::path environmentPath(const char* name, const fs::path& fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value == '/' ? fs::path(value) : fallback;
}

// XDG_DESKTOP_DIR="$HOME/Desktop" in user-dirs.dirs.
fs::path desktopDirOf(const fs::path& configHome, const fs::path& home)
{
    std::ifstream dirs(configHome / "user-dirs.dirs");
    std::string line;
    constexpr std::string_view key = "XDG_DESKTOP_DIR=\"";
    while (std::getline(dirs, line)) {
        if (!line.starts_with(key) || !line.ends_with('"'))
            continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.starts_with("$HOME"))
            return home.string() + value.substr(5);
        if (value.starts_with("/"))
            return value;
    }
    return home / "Desktop";
}

// A string value of a desktop entry: backslashes doubled, no line breaks.
std::string entryString(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n' || c == '\r')
            out += ' ';
        else
            out += c;
    }
    return out;
}

std::string launcherEntry(const Installed& installed)
{
    std::ostringstream entry;
    entry << "[Desktop Entry]\nType=Application\nName=" << kProgramName
          << "\nComment=Publish, log and page the readings of a personal weather station\nExec="
          << execValue(installed.directory / kLauncherFile)
          << "\nPath=" << entryString(installed.directory.string());
    if (!installed.iconFile.empty())
        entry << "\nIcon=" << entryString((installed.directory / installed.iconFile).string());
    entry << "\nTerminal=false\nCategories=" << kMenuId << ";Science;Utility;\n";
    return entry.str();
}

} // namespace

XdgPlaces userXdgPlaces()
{
    const fs::path home = environmentPath("HOME", "/");
    XdgPlaces places;
    places.dataHome = environmentPath("XDG_DATA_HOME", home / ".local/share");
    places.configHome = environmentPath("XDG_CONFIG_HOME", home / ".config");
    places.desktopDir = desktopDirOf(places.configHome, home);
    return places;
}

std::string execValue(const fs::path& program)
{
    // Inside double quotes, ", `, $ and \ take a backslash; the string rule
    // then doubles every backslash.
    std::string quoted = "\"";
    for (const char c : program.string()) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return entryString(quoted + "\"");
}

std::error_code writeMenuEntries(const XdgPlaces& places, const Installed& installed)
{
    const fs::path applications = places.dataHome / "applications" / kMenuId;
    const fs::path directories = places.dataHome / "desktop-directories";
    const fs::path menus = places.configHome / "menus" / "applications-merged";
    std::error_code error;
    for (const fs::path& dir : {applications, directories, menus}) {
        fs::create_directories(dir, error);
        if (error)
            return error;
    }
    const std::string readme = "[Desktop Entry]\nType=Link\nName=Readme\nURL=file://" +
                               entryString((installed.directory / kReadmeFile).string()) +
                               "\nCategories=" + std::string(kMenuId) + ";\n";
    const std::string folder =
        "[Desktop Entry]\nType=Directory\nName=" + std::string(kProgramName) + "\nIcon=" +
        (installed.iconFile.empty()
             ? std::string(kMenuId)
             : entryString((installed.directory / installed.iconFile).string())) +
        "\n";
    // The merge file turns the category into a submenu of its own.
    const std::string menu = "<!DOCTYPE Menu PUBLIC \"-//freedesktop//DTD Menu 1.0//EN\"\n"
                             " \"http://www.freedesktop.org/standards/menu-spec/1.0/menu.dtd\">\n"
                             "<Menu>\n  <Name>Applications</Name>\n  <Menu>\n    <Name>" +
                             std::string(kProgramName) + "</Name>\n    <Directory>" +
                             std::string(kMenuId) +
                             ".directory</Directory>\n    <Include><Category>" +
                             std::string(kMenuId) + "</Category></Include>\n  </Menu>\n</Menu>\n";
    const std::pair<fs::path, std::string> files[] = {
        {applications / (std::string(kProgramName) + ".desktop"), launcherEntry(installed)},
        {applications / "Readme.desktop", readme},
        {directories / (std::string(kMenuId) + ".directory"), folder},
        {menus / (std::string(kMenuId) + ".menu"), menu},
    };
    for (const auto& [path, text] : files) {
        if ((error = app::writeFileAtomically(path, text, kEntryMode)))
            return error;
    }
    return {};
}

std::error_code writeDesktopEntry(const XdgPlaces& places, const Installed& installed)
{
    std::error_code error;
    fs::create_directories(places.desktopDir, error);
    if (error)
        return error;
    return app::writeFileAtomically(places.desktopDir / (std::string(kProgramName) + ".desktop"),
                                    launcherEntry(installed), kTrustedEntryMode);
}

} // namespace bv::setup
