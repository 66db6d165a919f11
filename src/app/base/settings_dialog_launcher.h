#pragma once

#include <functional>

#include "app/base/automatic_tasks_gate.h"

namespace bv::app {

class Dialog;
class DialogHost;

// Opens the settings dialogs. While one is open no automatic activity may
// start: the gate is cleared for the run and afterwards set again only if it
// was set before, so a dialog opened while the user had disabled transfers
// leaves them disabled.
class SettingsDialogLauncher {
  public:
    SettingsDialogLauncher(DialogHost& host, AutoTaskGate& gate) : host_(host), gate_(gate) {}

    // Station, Units, Internet, Pager, Schedule: unless the dialog was
    // cancelled, saveConfiguration runs after it closes and before the gate
    // opens again (it reports its own failures). Returns the dialog's result.
    int runAndSave(Dialog& dialog, const std::function<void()>& saveConfiguration);
    // Data (which saves for itself), Archive, Time, Current Weather.
    int run(Dialog& dialog);
    // Holds the gate as a settings dialog does, for the station dialogs that
    // open the station before their dialog shows.
    [[nodiscard]] GateHold holdGate() { return GateHold(gate_, GateHolder::SettingsDialog); }

  private:
    DialogHost& host_;
    AutoTaskGate& gate_;
};

} // namespace bv::app
