#pragma once

#include <gtest/gtest.h>

#include "app/base/automatic_tasks_gate.h"
#include "app/base/dialog_host.h"
#include "app/base/settings_dialog_launcher.h"
#include "app/base/shell.h"
#include "support/scripted_ui.h"
#include "support/virtual_time.h"
#include "units/regional_settings.h"

namespace bv::app::test {

// The program's dialog machinery over a scripted Ui.
class ShellDialogTest : public testing::Test {
  protected:
    testsupport::ScriptedUi ui;
    testsupport::VirtualTime time;
    units::RegionalSettings regional;
    Shell shell{ui, time, regional};
    DialogHost host{ui};
    AutoTaskGate gate;
    SettingsDialogLauncher launcher{host, gate};

    // The caption of control id in the template of the dialog the view shows.
    static std::string captionOf(const testsupport::FakeDialogView& view, int id)
    {
        const platform::ControlSpec* spec = view.dialogTemplate().find(id);
        return spec != nullptr ? spec->caption : "<no control " + std::to_string(id) + ">";
    }
};

} // namespace bv::app::test
