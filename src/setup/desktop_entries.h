#pragma once

#include <filesystem>
#include <string>
#include <system_error>

// The program-menu folder "Brisvane Viraraz" with its two entries, and the
// optional desktop entry, as XDG desktop entries.
namespace bv::setup {

struct XdgPlaces {
    std::filesystem::path dataHome;   // $XDG_DATA_HOME, else ~/.local/share
    std::filesystem::path configHome; // $XDG_CONFIG_HOME, else ~/.config
    std::filesystem::path desktopDir; // XDG_DESKTOP_DIR of user-dirs.dirs, else ~/Desktop
};

// The places of the user running the program, from the environment.
XdgPlaces userXdgPlaces();

struct Installed {
    std::filesystem::path directory; // the installation directory
    std::string iconFile;            // line 6 of install.hdr, in that directory
};

// An Exec value that runs program with no shell involved: the path quoted as
// the desktop entry rules ask.
std::string execValue(const std::filesystem::path& program);

// The launcher entry "Brisvane Viraraz" (working directory the installation
// directory, its icon) and the read-me entry "Readme" (opens Readme.txt, no
// icon), in a menu folder "Brisvane Viraraz". Every file is written atomically.
std::error_code writeMenuEntries(const XdgPlaces& places, const Installed& installed);
// "Brisvane Viraraz.desktop" on the desktop, to the launcher.
std::error_code writeDesktopEntry(const XdgPlaces& places, const Installed& installed);

} // namespace bv::setup
