#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace bv::app {

class Application;

// The main window as its commands see it: the Qt window, or a fake in tests.
class MainView {
  public:
    virtual ~MainView() = default;
    virtual void setViewerShown(bool shown) = 0;
    // Replaces the viewer's whole text by the file's; a file that cannot be
    // read leaves the viewer empty. Does not show or hide the viewer.
    virtual void loadViewer(const std::filesystem::path& file) = 0;
    // Runs the print dialog and prints the viewer's text; false when the user
    // cancelled or printing failed.
    virtual bool printViewer() = 0;
    // The user confirmed Exit: destroy the window, which ends the program.
    virtual void closeMainWindow() = 0;
    // Which commands are enabled, and the toggle's state, may have changed.
    virtual void updateCommandStates() = 0;
};

// A long activity with a window of its own that keeps working after the
// command that started it returned: the transfer cycle, the pager status window.
class BackgroundRun {
  public:
    virtual ~BackgroundRun() = default;
    virtual bool running() const = 0;
    // Closes its window, which stops it and frees what it holds.
    virtual void cancel() = 0;
};

class TransferCycleControl : public BackgroundRun {
  public:
    virtual void start() = 0;
};

// The Internet connection and the station link, for Dial and Hang up.
class ConnectionControl {
  public:
    virtual ~ConnectionControl() = default;
    virtual bool dialUpActive() const = 0;
    virtual void dial() = 0;
    virtual void hangUp() = 0;
    virtual void closeStationPort() = 0;
};

// The work of the main window's commands (menus, toolbar, shortcut keys),
// free of any window system.
//
// The commands whose work lies in other parts of the program are plugged in
// as those parts are built: a dialog, the walkthrough, the alarm information
// or the archive download as an action (setAction), the transfer cycle, the
// pager status window and the connection through their controls. A command
// that has nothing plugged in is not available: it is greyed and its tooltip
// says "Not available yet: " and what it would do.
class MainCommands {
  public:
    MainCommands(Application& app, MainView& view) : app_(app), view_(view) {}
    MainCommands(const MainCommands&) = delete;
    MainCommands& operator=(const MainCommands&) = delete;

    void setAction(int command, std::function<void()> action);
    void setTransferCycle(TransferCycleControl* transfer);
    void setPagerStatus(BackgroundRun* pager);
    void setConnection(ConnectionControl* connection);

    // Runs a command from a menu or the toolbar, or a shortcut key by its own
    // command id. Commands that are not enabled in the menus (not available,
    // or greyed while a transfer or paging run is under way) do nothing.
    void execute(int id);

    bool available(int command) const;
    // Enabled in the menu bar, the right-click menu and by its shortcut key.
    bool menuEnabled(int command) const;
    bool toolbarEnabled(int command) const;
    // "Not available yet: " and the command's purpose, or empty when it is available.
    std::string unavailableNote(int command) const;

    // Exit and the title bar's close: "Exit Brisvane Viraraz ?" under
    // "Confirm"; true when the user answered Yes.
    bool confirmExit();

    // The "Disable all Transfers" toggle: pressed closes the automatic-task
    // gate and reminds the user to open it again; released opens it.
    void setTransfersDisabled(bool pressed);
    bool transfersDisabled() const { return transfersDisabled_; }

    // `setToolbarBusy`: the transfer cycle and the pager status window call it
    // with true when they start and false when they end.
    void setToolbarBusy(bool busy);
    // A transfer cycle or a paging run is under way.
    bool backgroundRunActive() const;

    bool viewerShown() const { return viewerShown_; }
    // The event log changed: the viewer shows it afresh, whatever it showed.
    void reloadViewer();

  private:
    void viewLog();
    void viewAlarmInfo();
    void printViewer();
    void closeView();
    void startTransfer();
    void cancelTransfer();
    void hangUp();
    void runAction(int command);

    Application& app_;
    MainView& view_;
    std::map<int, std::function<void()>> actions_;
    TransferCycleControl* transfer_ = nullptr;
    BackgroundRun* pager_ = nullptr;
    ConnectionControl* connection_ = nullptr;
    bool viewerShown_ = false;
    bool transfersDisabled_ = false;
    bool toolbarBusy_ = false;
};

} // namespace bv::app
