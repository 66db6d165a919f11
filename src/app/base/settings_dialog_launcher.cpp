#include "app/base/settings_dialog_launcher.h"

#include "app/base/dialog.h"
#include "app/base/dialog_host.h"

namespace bv::app {

int SettingsDialogLauncher::runAndSave(Dialog& dialog,
                                       const std::function<void()>& saveConfiguration)
{
    const GateHold hold(gate_, GateHolder::SettingsDialog);
    const int result = host_.runModal(dialog);
    if (result != platform::IdCancel && saveConfiguration)
        saveConfiguration();
    return result;
}

int SettingsDialogLauncher::run(Dialog& dialog)
{
    return runAndSave(dialog, {});
}

} // namespace bv::app
