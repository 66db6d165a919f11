#pragma once

#include <functional>
#include <utility>
#include <vector>

#include <QMainWindow>

#include "app/shell/main_commands.h"

class QLabel;
class QMenu;
class QToolBar;

namespace bv::app {
class Application;
struct Menu;
} // namespace bv::app

namespace bv::gui {

class LogViewer;
class PagerStatusWindow;
class QtUi;
class TrayParking;

// The main window "Brisvane Viraraz": the menu bar, the toolbar of 12
// positions, the status bar, the log viewer over the background picture, the
// right-click menu, the shortcut keys and parking in the system tray when
// minimised. What each command does is MainCommands' business; the window
// shows the commands' states: greyed when not available (with a tooltip that
// says so) and while a transfer or paging run is under way.
//
// Shortcut keys act on the whole window, the viewer included, except where
// the focused viewer uses the key itself (Ctrl+C copies, Ctrl+A selects all).
class MainWindow final : public QMainWindow, public app::MainView {
  public:
    explicit MainWindow(app::Application& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Routes the Ui's status line and event-log notices to this window and
    // makes it the owner of message boxes and dialogs.
    void attach(QtUi& ui);
    // Called once the window closed after the user confirmed Exit.
    void setOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }
    // Centres the window on its screen (the window's frame, as shown).
    void centreOnScreen();

    app::MainCommands& commands() { return commands_; }
    LogViewer* viewer() const { return viewer_; }
    QToolBar* toolbar() const { return toolbar_; }
    QMenu* popupMenu() const { return popup_; }
    QLabel* statusLabel() const { return statusLabel_; }
    PagerStatusWindow* pagerStatusWindow() const { return pagerStatus_; }
    TrayParking& tray() const { return *tray_; }
    // The toolbar's action of a command, nullptr for none.
    QAction* toolbarAction(int command) const;
    void setStatusText(const QString& text);

    void setViewerShown(bool shown) override;
    void loadViewer(const std::filesystem::path& file) override;
    bool printViewer() override;
    void closeMainWindow() override;
    void updateCommandStates() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void buildMenuBar();
    QMenu* buildMenu(const app::Menu& menu, QWidget* parent);
    void buildToolbar();
    void buildShortcuts();
    void buildCentre();
    void showPopup(const QPoint& globalPos);

    app::Application& app_;
    app::MainCommands commands_;
    LogViewer* viewer_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QMenu* popup_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    PagerStatusWindow* pagerStatus_ = nullptr;
    TrayParking* tray_ = nullptr;
    QtUi* ui_ = nullptr;
    std::vector<std::pair<int, QAction*>> menuActions_;
    std::vector<std::pair<int, QAction*>> toolbarActions_;
    std::function<void()> onClosed_;
    bool exitConfirmed_ = false;
};

} // namespace bv::gui
