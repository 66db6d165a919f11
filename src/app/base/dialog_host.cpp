#include "app/base/dialog_host.h"

#include <algorithm>

#include "app/base/dialog.h"
#include "app/base/scope_exit.h"

namespace bv::app {

int DialogHost::runModal(Dialog& dialog)
{
    if (dialog.isOpen())
        return platform::IdCancel;
    dialog.host_ = this;
    open_.push_back(&dialog);
    const ScopeExit close([this, &dialog] {
        open_.erase(std::find(open_.begin(), open_.end(), &dialog));
        dialog.host_ = nullptr;
        dialog.view_ = nullptr;
        dialog.running_ = false;
    });
    return ui_.runModal(dialog);
}

Dialog* DialogHost::activeDialog() const
{
    return open_.empty() ? nullptr : open_.back();
}

bool DialogHost::sendKeyCommand(int commandId)
{
    Dialog* dialog = activeDialog();
    if (dialog == nullptr || !dialog->running_ || dialog->view_ == nullptr)
        return false;
    dialog->onCommand(*dialog->view_, commandId, platform::Notification::Clicked);
    return true;
}

} // namespace bv::app
