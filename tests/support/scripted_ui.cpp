#include "support/scripted_ui.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "platform/dialog_view.h"

namespace bv::testsupport {

void ScriptedUi::onDialog(const std::string& templateName, DialogScript script)
{
    scripts_[templateName] = std::move(script);
}

std::string ScriptedUi::statusText() const
{
    return statusTexts_.empty() ? std::string{} : statusTexts_.back();
}

void ScriptedUi::setStatusText(const std::string& text)
{
    statusTexts_.push_back(text);
}

platform::MessageResult ScriptedUi::messageBox(const platform::MessageBoxRequest& request)
{
    const std::vector<platform::MessageResult> offered = platform::buttonsOf(request.buttons);
    platform::MessageResult answer = offered.front();
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    } else if (defaultAnswer_) {
        answer = *defaultAnswer_;
    }
    if (std::find(offered.begin(), offered.end(), answer) == offered.end()) {
        ADD_FAILURE() << "the answer " << static_cast<int>(answer)
                      << " is not a button of the box \"" << request.caption << "\": \""
                      << request.text << "\"";
        answer = offered.front();
    }
    boxes_.push_back(Box{request, answer, busy_});
    return answer;
}

void ScriptedUi::showBusyCursor(platform::BusyFrame frame)
{
    busy_ = true;
    busyFrames_.push_back(frame);
}

int ScriptedUi::runModal(platform::DialogClient& dialog)
{
    const std::string name = dialog.dialogTemplate().name;
    openedDialogs_.push_back(name);
    const auto it = scripts_.find(name);
    if (it == scripts_.end()) {
        ADD_FAILURE() << "dialog " << name << " opened, but the test has no script for it";
        return platform::IdCancel;
    }
    const DialogScript script = it->second; // the script may replace itself
    FakeDialogView view(dialog);
    view.open();
    if (!view.ended())
        script(view);
    if (!view.ended()) {
        ADD_FAILURE() << "dialog " << name << " is still open after its script";
        return platform::IdCancel;
    }
    return view.result();
}

std::string ScriptedUi::chooseDirectory(const std::string&, const std::string& startDir)
{
    pickerStarts_.push_back(startDir);
    if (directories_.empty())
        return {};
    std::string path = std::move(directories_.front());
    directories_.pop_front();
    return path;
}

std::vector<std::string> ScriptedUi::chooseFiles(const platform::FileFilter&,
                                                 const std::string& startDir)
{
    pickerStarts_.push_back(startDir);
    if (fileChoices_.empty())
        return {};
    std::vector<std::string> paths = std::move(fileChoices_.front());
    fileChoices_.pop_front();
    return paths;
}

} // namespace bv::testsupport
