#include "app/base/shell.h"

#include "app/base/string_table.h"
#include "app/base/strings_publish.h"
#include "units/date_time.h"

namespace bv::app {

using platform::MessageButtons;
using platform::MessageIcon;
using platform::MessageResult;

void Shell::showStatus(std::string_view text)
{
    units::DateTime moment;
    moment.now(clock_);
    std::string line = " " + moment.shortDate(regional_) + " " + moment.timeText(regional_) + " ";
    line += text;
    ui_.setStatusText(line);
}

void Shell::clearStatus()
{
    ui_.setStatusText({});
}

void Shell::setBusyCursor()
{
    ui_.showBusyCursor(nextFrameIsCup2_ ? platform::BusyFrame::Cup2 : platform::BusyFrame::Cup1);
    nextFrameIsCup2_ = !nextFrameIsCup2_;
}

MessageResult Shell::messageBox(std::string_view caption, std::string_view text,
                                MessageButtons buttons, MessageIcon icon, BoxOwner owner)
{
    ui_.restoreCursor();
    platform::MessageBoxRequest request;
    request.caption = caption;
    request.text = text;
    request.buttons = buttons;
    request.icon = icon;
    request.hasOwner = owner == BoxOwner::ActiveWindow;
    return ui_.messageBox(request);
}

void Shell::errorBox(std::string_view text, BoxOwner owner)
{
    messageBox(kErrorCaption, text, MessageButtons::Ok, MessageIcon::None, owner);
}

void Shell::errorBoxId(int stringId, BoxOwner owner)
{
    errorBox(loadText(stringId, kMessageBoxTextLimit), owner);
}

void Shell::warningBox(std::string_view text, BoxOwner owner)
{
    messageBox(kWarningCaption, text, MessageButtons::Ok, MessageIcon::None, owner);
}

MessageResult Shell::askBox(std::string_view text, BoxOwner owner)
{
    return messageBox(kWarningCaption, text, MessageButtons::YesNo, MessageIcon::Stop, owner);
}

MessageResult Shell::confirmBox(std::string_view text, MessageButtons buttons, BoxOwner owner)
{
    return messageBox(strings::kConfirmCaption.text, text, buttons, MessageIcon::Question, owner);
}

void Shell::outOfMemoryBox(BoxOwner owner)
{
    errorBox(kOutOfMemoryText, owner);
}

} // namespace bv::app
