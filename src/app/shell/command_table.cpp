#include "app/shell/command_table.h"

#include <algorithm>
#include <array>

namespace bv::app {
namespace {

constexpr MenuItem kSeparator{};

constexpr std::array kFileMenu{
    MenuItem{"&View Log\tCtrl+V", CmdViewLog},
    MenuItem{"View Alarm &Info\tCtrl+I", CmdViewAlarmInfo},
    kSeparator,
    MenuItem{"&Print... \tCtrl+P", CmdPrint},
    MenuItem{"&Close View\tCtrl+C", CmdCloseView},
    kSeparator,
    MenuItem{"&Exit", CmdExit},
};
constexpr std::array kSetupMenu{
    MenuItem{"Wal&kthrough...\tCtrl+K", CmdWalkthrough},
    kSeparator,
    MenuItem{"&Station...\tCtrl+S", CmdStation},
    MenuItem{"&Time...\tCtrl+T", CmdTime},
    MenuItem{"&Archive...\tCtrl+A", CmdArchive},
    MenuItem{"&Units...\tCtrl+U", CmdUnits},
    kSeparator,
    MenuItem{"&Data...\tCtrl+D", CmdData},
    MenuItem{"&Internet...\tCtrl+N", CmdInternet},
    kSeparator,
    MenuItem{"&Pager...\tCtrl+G", CmdPager},
    kSeparator,
    MenuItem{"&Schedule  Brisvane...\tCtrl+W", CmdSchedule},
};
constexpr std::array kCommunicationsMenu{
    MenuItem{"&Dial\tCtrl+L", CmdDial},
    MenuItem{"&Hang up\tCtrl+H", CmdHangUp},
    MenuItem{"&Start Transfer\tCtrl+F", CmdStartTransfer},
    MenuItem{"&Cancel Transfer\tCtrl+E", CmdCancelTransfer},
    kSeparator,
    MenuItem{"D&ownload\tCtrl+O", CmdDownload},
};
constexpr std::array kDisplayMenu{
    MenuItem{"&Current Weather...\tCtrl+R", CmdCurrentWeather},
};
constexpr std::array kHelpMenu{
    MenuItem{"&Contents", CmdHelpContents},
    MenuItem{"&About...", CmdAbout},
};

constexpr std::array kMainMenu{
    Menu{"&File", kFileMenu},
    Menu{"&Setup", kSetupMenu},
    Menu{"&Communications", kCommunicationsMenu},
    Menu{"&Display", kDisplayMenu},
    Menu{"&Help", kHelpMenu},
};

constexpr std::array kPopupFile{
    MenuItem{"View &Log", CmdViewLog},    MenuItem{"View Alarm &Info", CmdViewAlarmInfo},
    MenuItem{"&Print", CmdPrint},         MenuItem{"&Close View", CmdCloseView},
    MenuItem{"Close &Log", CmdCloseView}, MenuItem{"&Exit", CmdExit},
};
constexpr std::array kPopupSetup{
    MenuItem{"&Station", CmdStation}, MenuItem{"&Time", CmdTime},
    MenuItem{"&Archive", CmdArchive}, MenuItem{"&Units", CmdUnits},
    MenuItem{"&Data", CmdData},       MenuItem{"&Internet", CmdInternet},
    MenuItem{"&Pager", CmdPager},     MenuItem{"&Schedule  Brisvane", CmdSchedule},
};
constexpr std::array kPopupCommunications{
    MenuItem{"&Dial Internet", CmdDial},
    MenuItem{"&Hangup", CmdHangUp},
    MenuItem{"&Start Transfer", CmdStartTransfer},
    MenuItem{"&Cancel Transfer", CmdCancelTransfer},
    MenuItem{"&Download", CmdDownload},
};
constexpr std::array kPopupDisplay{
    MenuItem{"&Current Weather", CmdCurrentWeather},
};
constexpr std::array kPopupMenu{
    Menu{"&File", kPopupFile},
    Menu{"&Setup", kPopupSetup},
    Menu{"&Communications", kPopupCommunications},
    Menu{"&Display", kPopupDisplay},
};

constexpr std::array kQuickKeys{
    Accelerator{'V', 40197, CmdViewLog},
    Accelerator{'I', 40201, CmdViewAlarmInfo},
    Accelerator{'P', 40198, CmdPrint},
    Accelerator{'C', 40199, CmdCloseView},
    Accelerator{'Q', 40200, CmdExit},
    Accelerator{'S', 40196, CmdStation},
    Accelerator{'T', 40202, CmdTime},
    Accelerator{'A', 40203, CmdArchive},
    Accelerator{'U', 40204, CmdUnits},
    Accelerator{'D', 40206, CmdData},
    Accelerator{'N', 40205, CmdInternet},
    Accelerator{'G', 40207, CmdPager},
    Accelerator{'W', 40208, CmdSchedule},
    Accelerator{'L', 40209, CmdDial},
    Accelerator{'H', 40210, CmdHangUp},
    Accelerator{'F', 40211, CmdStartTransfer},
    Accelerator{'E', 40212, CmdCancelTransfer},
    Accelerator{'O', 40213, CmdDownload},
    Accelerator{'R', 40214, CmdCurrentWeather},
    // The Setup menu shows Ctrl+K for the walkthrough; the key works too and,
    // having no id of its own, sends the menu command.
    Accelerator{'K', CmdWalkthrough, CmdWalkthrough},
};

constexpr std::array kToolbar{
    ToolbarEntry{CmdViewLog, 0, 0, "View Log File"},
    ToolbarEntry{},
    ToolbarEntry{CmdDial, 1, 1, "Dial Internet"},
    ToolbarEntry{CmdHangUp, 2, 2, "Hang up"},
    ToolbarEntry{CmdStartTransfer, 3, 3, "Start Transfer"},
    ToolbarEntry{},
    ToolbarEntry{},
    ToolbarEntry{CmdCancelTransfer, 4, 4, "Cancel Transfer"},
    ToolbarEntry{},
    ToolbarEntry{CmdDisableTransfers, 6, 7, "Disable all Transfers"},
    ToolbarEntry{},
    ToolbarEntry{CmdExit, 5, 5, "Exit the Program"},
};

struct Purpose {
    int command;
    std::string_view text;
};
constexpr std::array kPurposes{
    Purpose{CmdViewLog, "the event log viewer"},
    Purpose{CmdViewAlarmInfo, "the alarm information view"},
    Purpose{CmdPrint, "printing the viewer"},
    Purpose{CmdCloseView, "closing the viewer"},
    Purpose{CmdExit, "ending the program"},
    Purpose{CmdWalkthrough, "the setup walkthrough"},
    Purpose{CmdStation, "the Station Setup dialog"},
    Purpose{CmdTime, "the Set Time dialog"},
    Purpose{CmdArchive, "the Archive dialog"},
    Purpose{CmdUnits, "the Units dialog"},
    Purpose{CmdData, "the Data Setup dialog"},
    Purpose{CmdInternet, "the Internet Configuration dialog"},
    Purpose{CmdPager, "the Pager Setup dialog"},
    Purpose{CmdSchedule, "the logger schedule dialog"},
    Purpose{CmdDial, "dial-up networking"},
    Purpose{CmdHangUp, "hanging up the connection or the station link"},
    Purpose{CmdStartTransfer, "the transfer cycle"},
    Purpose{CmdCancelTransfer, "cancelling transfers and pages"},
    Purpose{CmdDownload, "the archive download"},
    Purpose{CmdCurrentWeather, "the Current Weather dialog"},
    Purpose{CmdHelpContents, "the help file"},
    Purpose{CmdAbout, "the About box"},
    Purpose{CmdDisableTransfers, "disabling all transfers"},
};

constexpr std::array kGreyedWhileBusy{
    CmdPrint,         CmdWalkthrough, CmdStation,        CmdTime,     CmdArchive, CmdUnits,
    CmdData,          CmdInternet,    CmdPager,          CmdSchedule, CmdDial,    CmdHangUp,
    CmdStartTransfer, CmdDownload,    CmdCurrentWeather, CmdAbout,
};

constexpr std::array kToolbarIdleOnly{CmdDial, CmdHangUp, CmdStartTransfer, CmdDisableTransfers};

template <class Array> bool holds(const Array& commands, int command)
{
    return std::find(commands.begin(), commands.end(), command) != commands.end();
}

} // namespace

std::span<const Menu> mainMenu()
{
    return kMainMenu;
}

std::span<const Menu> popupMenu()
{
    return kPopupMenu;
}

std::span<const Accelerator> quickKeys()
{
    return kQuickKeys;
}

int commandOfShortcut(int id)
{
    for (const Accelerator& key : kQuickKeys)
        if (key.shortcutCommand == id)
            return key.command;
    return id;
}

std::span<const ToolbarEntry> toolbarEntries()
{
    return kToolbar;
}

std::string_view commandPurpose(int command)
{
    for (const Purpose& purpose : kPurposes)
        if (purpose.command == command)
            return purpose.text;
    return {};
}

bool menuCommandEnabled(int command, bool busy)
{
    if (command == CmdCancelTransfer)
        return busy;
    return !busy || !holds(kGreyedWhileBusy, command);
}

bool toolbarCommandEnabled(int command, bool busy)
{
    if (command == CmdCancelTransfer)
        return busy;
    return !busy || !holds(kToolbarIdleOnly, command);
}

} // namespace bv::app
