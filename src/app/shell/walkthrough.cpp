#include "app/shell/walkthrough.h"

#include <array>

#include "app/base/automatic_tasks_gate.h"
#include "app/base/dialog.h"
#include "app/base/dialog_host.h"
#include "app/base/shell.h"
#include "app/base/strings_shell.h"
#include "app/base/template_builder.h"
#include "app/shell/command_table.h"

namespace bv::app {

using namespace walkthrough;
using platform::MessageResult;

namespace {

// The dialogs of the steps, in the order of their texts.
constexpr std::array<int, 8> kStepCommands = {CmdStation, CmdTime,     CmdArchive, CmdUnits,
                                              CmdData,    CmdInternet, CmdPager,   CmdSchedule};
constexpr int kTextWidthChars = 60;

platform::DialogTemplate stepTemplate()
{
    TemplateBuilder b("WALKTHROUGH", std::string(strings::kWalkthroughCaption), 0);
    platform::ControlSpec& text = b.add(kTextField, platform::ControlKind::MultiLineEdit, "", 0);
    text.readOnly = true;
    text.maxLength = kMaxTextLength;
    text.widthChars = kTextWidthChars;
    b.button(platform::IdOk, "&OK", 0).isDefault = true;
    b.button(platform::IdCancel, "&Cancel", 1);
    b.button(kSkip, "&Skip", 2);
    return b.take();
}

class StepDialog final : public Dialog {
  public:
    explicit StepDialog(std::string_view text) : Dialog(stepTemplate()), text_(text) {}

  protected:
    void handleOpen(platform::DialogView& view) override
    {
        view.setText(kTextField, std::string(text_.substr(0, kMaxTextLength)));
        view.setFocus(platform::IdOk);
    }
    void handleCommand(platform::DialogView& view, int id, platform::Notification) override
    {
        if (id == platform::IdOk || id == platform::IdCancel || id == kSkip)
            end(view, id);
    }

  private:
    std::string_view text_;
};

} // namespace

void runWalkthrough(DialogHost& host, Shell& shell, AutoTaskGate& gate,
                    const std::function<void(int command)>& runCommand)
{
    if (shell.messageBox(strings::kWalkthroughCaption, strings::kWalkthroughStart,
                         platform::MessageButtons::YesNo, platform::MessageIcon::Question,
                         BoxOwner::ActiveWindow) != MessageResult::Yes)
        return;
    const GateHold hold(gate, GateHolder::SettingsDialog);
    do {
        for (std::size_t step = 0; step < kStepCommands.size(); ++step) {
            StepDialog dialog(strings::kWalkthroughSteps[step].text);
            const int answer = host.runModal(dialog);
            if (answer == platform::IdCancel)
                return;
            if (answer == platform::IdOk)
                runCommand(kStepCommands[step]);
        }
    } while (shell.messageBox(strings::kWalkthroughCaption, strings::kWalkthroughDone,
                              platform::MessageButtons::YesNo, platform::MessageIcon::Question,
                              BoxOwner::ActiveWindow) == MessageResult::Yes);
}

} // namespace bv::app
