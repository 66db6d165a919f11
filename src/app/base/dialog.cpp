#include "app/base/dialog.h"

#include <stdexcept>

#include "app/base/dialog_host.h"

namespace bv::app {

Dialog::Dialog(platform::DialogTemplate dialogTemplate, int helpButtonId)
    : template_(std::move(dialogTemplate)), helpButtonId_(helpButtonId)
{
    if (template_.name.size() > kMaxTemplateNameLength)
        throw std::invalid_argument("dialog template name longer than 19 characters: " +
                                    template_.name);
}

int Dialog::run(DialogHost& host)
{
    return host.runModal(*this);
}

void Dialog::onOpen(platform::DialogView& view)
{
    view_ = &view;
    running_ = true;
    handleOpen(view);
}

void Dialog::onCommand(platform::DialogView& view, int id, platform::Notification what)
{
    if (!running_)
        return;
    const bool helpAsked =
        id == platform::IdHelpKey ||
        (helpButtonId_ != 0 && id == helpButtonId_ && what == platform::Notification::Clicked);
    if (helpAsked && template_.helpTopic != 0 && host_ != nullptr) {
        host_->showHelp(template_.helpTopic);
        return;
    }
    handleCommand(view, id, what);
}

void Dialog::onTimer(platform::DialogView& view, int timerId)
{
    if (running_)
        handleTimer(view, timerId);
}

void Dialog::handleTimer(platform::DialogView&, int) {}

void Dialog::end(platform::DialogView& view, int result)
{
    if (!running_)
        return;
    running_ = false;
    view.end(result);
}

DialogHost& Dialog::host() const
{
    if (host_ == nullptr)
        throw std::logic_error("dialog " + template_.name + " is not open");
    return *host_;
}

} // namespace bv::app
