#include "app/base/settings_dialog_launcher.h"

#include "app/base/dialog.h"
#include "app/base/dialog_host.h"
#include "app/base/scope_exit.h"

namespace bv::app {

int SettingsDialogLauncher::runAndSave(Dialog& dialog,
                                       const std::function<void()>& saveConfiguration)
{
    const bool wasAllowed = gate_.allowed;
    gate_.allowed = false;
    const ScopeExit reopenGate([this, wasAllowed] {
        if (wasAllowed)
            gate_.allowed = true;
    });
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
