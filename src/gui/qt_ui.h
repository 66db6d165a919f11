#pragma once

#include <functional>

#include <QCursor>
#include <QPointer>
#include <QString>

#include "platform/ui.h"

class QWidget;

namespace bv::gui {

class HelpWindow;

// The Ui of the windowed programs.
// - Message boxes are QMessageBoxes with the request's caption, text, buttons
//   (the first one is the default) and icon (Stop shows the critical icon);
//   an owned box sits over the active dialog or the main window.
// - Dialogs run modally through the renderer (QtDialogView) over the active
//   dialog, else the main window.
// - The busy cursor is an application-wide override cursor showing the frames
//   "CUP1" and "CUP2"; restoreCursor brings the arrow back.
// - The status line and the log viewer belong to the main window, which hands
//   them in with setStatusSink and setEventLogSink; until then they are ignored.
// - showHelp opens the help window on "Viraraz.hlp" of the station directory.
// - The pickers are Qt's file dialogs over the active window.
class QtUi final : public platform::Ui {
  public:
    QtUi();
    ~QtUi() override;
    QtUi(const QtUi&) = delete;
    QtUi& operator=(const QtUi&) = delete;

    void setMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }
    void setStatusSink(std::function<void(const QString&)> sink) { statusSink_ = std::move(sink); }
    void setEventLogSink(std::function<void()> sink) { eventLogSink_ = std::move(sink); }
    // The directory that holds the help file; the current directory until set.
    void setStationDirectory(const QString& directory) { stationDirectory_ = directory; }
    QString helpFilePath() const;
    // The help window once showHelp opened it, else nullptr.
    HelpWindow* helpWindow() const;

    void setStatusText(const std::string& text) override;
    platform::MessageResult messageBox(const platform::MessageBoxRequest& request) override;
    void showBusyCursor(platform::BusyFrame frame) override;
    void restoreCursor() override;
    int runModal(platform::DialogClient& dialog) override;
    void eventLogChanged() override;
    void showHelp(int topic) override;
    void beep() override;
    std::string chooseDirectory(const std::string& title, const std::string& startDir) override;
    std::vector<std::string> chooseFiles(const platform::FileFilter& filter,
                                         const std::string& startDir) override;

  private:
    QWidget* activeOwner() const;

    QPointer<QWidget> mainWindow_;
    QPointer<HelpWindow> helpWindow_;
    std::function<void(const QString&)> statusSink_;
    std::function<void()> eventLogSink_;
    QString stationDirectory_;
    QCursor busyFrames_[2];
    bool busyShown_ = false;
};

} // namespace bv::gui
