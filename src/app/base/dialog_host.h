#pragma once

#include <vector>

#include "platform/ui.h"

namespace bv::app {

class Dialog;

// Runs dialogs modally through the Ui and keeps the list of open dialogs,
// innermost last. Dialogs nest (the Range dialog opens from the Internet
// dialog); keys that reach the program rather than a dialog's window (F1 as
// IdHelpKey, Delete as IdDeleteKey) are routed to the innermost running one.
class DialogHost {
  public:
    explicit DialogHost(platform::Ui& ui) : ui_(ui) {}
    DialogHost(const DialogHost&) = delete;
    DialogHost& operator=(const DialogHost&) = delete;

    // Registers the dialog, runs it with Ui::runModal and removes it again,
    // whatever the result. Returns the dialog's result; IdCancel without
    // opening it when the dialog is already open.
    int runModal(Dialog& dialog);

    // The innermost open dialog, nullptr when none is open.
    Dialog* activeDialog() const;
    const std::vector<Dialog*>& openDialogs() const { return open_; }

    // Sends a key command to the innermost running dialog; false when there is
    // none to take it.
    bool sendKeyCommand(int commandId);

    void showHelp(int topic) { ui_.showHelp(topic); }
    platform::Ui& ui() const { return ui_; }

  private:
    platform::Ui& ui_;
    std::vector<Dialog*> open_;
};

} // namespace bv::app
