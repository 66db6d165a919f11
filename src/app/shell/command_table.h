#pragma once

#include <span>
#include <string_view>

namespace bv::app {

// The commands of the main window's menus, toolbar and shortcut keys.
enum Command : int {
    CmdViewLog = 40001,
    CmdExit = 40002,
    CmdInternet = 40003,
    CmdStation = 40004,
    CmdHelpContents = 40005,
    CmdData = 40006,
    CmdDial = 40011,
    CmdHangUp = 40012,
    CmdStartTransfer = 40013,
    CmdAbout = 40015,
    CmdCloseView = 40016,
    CmdUnits = 40024,
    CmdTime = 40026,
    CmdArchive = 40027,
    CmdPager = 40028,
    CmdCancelTransfer = 40032,
    CmdPrint = 40033,
    CmdViewAlarmInfo = 40034,
    CmdDownload = 40035,
    CmdCurrentWeather = 40194,
    CmdSchedule = 40195,
    CmdWalkthrough = 40215,
    // The toolbar's "Disable all Transfers" toggle.
    CmdDisableTransfers = 1539,
};

// One entry of a menu; command 0 is a separator. The text is the menu text as
// shown, "&" marking the mnemonic and "\t" separating the shortcut shown, which
// is only a label: the keys themselves are the accelerator table below.
struct MenuItem {
    std::string_view text;
    int command = 0;
};

struct Menu {
    std::string_view title;
    std::span<const MenuItem> items;
};

// The menu bar "MAINMENU": File, Setup, Communications, Display, Help.
std::span<const Menu> mainMenu();
// The right-click menu: File, Setup, Communications, Display as submenus.
std::span<const Menu> popupMenu();

// One shortcut of the accelerator table "QUICKKEYS": Ctrl plus key. Each key
// has a command id of its own (shortcutCommand) that the main window handles
// as the command of the same menu row.
struct Accelerator {
    char key; // upper-case letter
    int shortcutCommand;
    int command;
};
std::span<const Accelerator> quickKeys();
// The menu command of a shortcut's command id; any other id is returned as it is.
int commandOfShortcut(int id);

// One position of the toolbar; command 0 is a separator. Images index the
// toolbar strip of 8 images of 16 x 15 pixels; pressedImage differs from image
// for the toggle only.
struct ToolbarEntry {
    int command = 0;
    int image = -1;
    int pressedImage = -1;
    std::string_view toolTip;
};
inline constexpr int kToolbarImageCount = 8;
inline constexpr int kToolbarImageWidth = 16;
inline constexpr int kToolbarImageHeight = 15;
std::span<const ToolbarEntry> toolbarEntries();

// What a command does, in a few words ("the Station Setup dialog"), for the
// tooltip of a command whose work is not part of this build.
std::string_view commandPurpose(int command);

// The greying of the menus, by command. While a transfer cycle or a paging run
// is under way, every command that would use the station, the modem or the
// network or open a settings dialog is greyed (Print, all of Setup, Dial, Hang
// up, Start Transfer, Download, Current Weather, About), and Cancel Transfer is
// enabled only then. The same rule holds in the menu bar and the right-click
// menu, and for the shortcut keys of those commands.
bool menuCommandEnabled(int command, bool busy);

// The toolbar while a transfer cycle or a paging run is under way: Cancel
// Transfer enabled; Dial, Hang up, Start Transfer and the toggle disabled;
// the reverse otherwise. View Log and Exit are always enabled.
bool toolbarCommandEnabled(int command, bool busy);

} // namespace bv::app
