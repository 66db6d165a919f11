#include "platform/headless/headless_ui.h"

#include "platform/dialog_view.h"
#include "platform/headless/unattended_dialog_view.h"

namespace bv::platform {

namespace {

const char* answerName(MessageResult answer)
{
    switch (answer) {
    case MessageResult::Ok:
        return "OK";
    case MessageResult::Cancel:
        return "Cancel";
    case MessageResult::Retry:
        return "Retry";
    case MessageResult::Yes:
        return "Yes";
    case MessageResult::No:
        return "No";
    }
    return "?";
}

} // namespace

MessageResult answerFor(MessageButtons buttons, AnswerPolicy policy)
{
    const std::vector<MessageResult> offered = buttonsOf(buttons);
    if (policy == AnswerPolicy::DefaultButton)
        return offered.front();
    for (MessageResult declining : {MessageResult::Cancel, MessageResult::No})
        for (MessageResult b : offered)
            if (b == declining)
                return b;
    return offered.front();
}

HeadlessUi::HeadlessUi(std::ostream& log, AnswerPolicy policy, EventLoop* loop)
    : log_(log), policy_(policy), loop_(loop)
{
}

void HeadlessUi::setStatusText(const std::string& text)
{
    // The transfer cycle repeats its status on every step; one line per change.
    if (text == lastStatus_)
        return;
    lastStatus_ = text;
    if (!text.empty())
        log_ << "status:" << text << '\n' << std::flush;
}

MessageResult HeadlessUi::messageBox(const MessageBoxRequest& request)
{
    const MessageResult answer = answerFor(request.buttons, policy_);
    log_ << request.caption << ": " << request.text << " [answered " << answerName(answer) << "]\n"
         << std::flush;
    return answer;
}

void HeadlessUi::showBusyCursor(BusyFrame) {}

void HeadlessUi::restoreCursor() {}

int HeadlessUi::runModal(DialogClient& dialog)
{
    if (loop_ != nullptr && dialog.dialogTemplate().unattended) {
        UnattendedDialogView view(dialog, *loop_, log_);
        return view.run();
    }
    log_ << "dialog " << dialog.dialogTemplate().name << " not shown without a display [Cancel]\n"
         << std::flush;
    return IdCancel;
}

void HeadlessUi::eventLogChanged() {}

void HeadlessUi::showHelp(int topic)
{
    log_ << "help topic " << topic << " not shown without a display\n" << std::flush;
}

std::string HeadlessUi::chooseDirectory(const std::string& title, const std::string&)
{
    log_ << "picker \"" << title << "\" not shown without a display [Cancel]\n" << std::flush;
    return {};
}

std::vector<std::string> HeadlessUi::chooseFiles(const FileFilter& filter, const std::string&)
{
    log_ << "file picker \"" << filter.name << "\" not shown without a display [Cancel]\n"
         << std::flush;
    return {};
}

} // namespace bv::platform
