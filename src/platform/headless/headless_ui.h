#pragma once

#include <ostream>

#include "platform/event_loop.h"
#include "platform/ui.h"

namespace bv::platform {

// How a headless program answers a message box nobody can see.
enum class AnswerPolicy {
    // The safe answer: Cancel, or No, of the box's buttons (OK for an OK-only
    // box). A Retry/Cancel box answered Retry would loop for ever with no one
    // to stop it, and a Yes/No question ("clear the archive memory?") must not
    // be confirmed for the user.
    Decline,
    // The box's default (first) button: OK, Yes or Retry.
    DefaultButton,
};

// The Ui of `hollit --headless` and `viraraz`: message boxes are answered by
// the policy and written to the log with the answer; status lines go to the log
// too; dialogs and file pickers are not shown (runModal answers Cancel, the
// pickers choose nothing, and each says so), except progress dialogs that
// need nobody, which run on the event loop when one is given, their texts
// going to the log; the busy cursor does nothing.
class HeadlessUi : public Ui {
  public:
    explicit HeadlessUi(std::ostream& log, AnswerPolicy policy = AnswerPolicy::Decline,
                        EventLoop* loop = nullptr);

    void setStatusText(const std::string& text) override;
    MessageResult messageBox(const MessageBoxRequest& request) override;
    void showBusyCursor(BusyFrame frame) override;
    void restoreCursor() override;
    int runModal(DialogClient& dialog) override;
    void eventLogChanged() override;
    void showHelp(int topic) override;
    std::string chooseDirectory(const std::string& title, const std::string& startDir) override;
    std::vector<std::string> chooseFiles(const FileFilter& filter,
                                         const std::string& startDir) override;

  private:
    std::ostream& log_;
    AnswerPolicy policy_;
    EventLoop* loop_;
    std::string lastStatus_;
};

// The answer the policy gives to a box with that button set.
MessageResult answerFor(MessageButtons buttons, AnswerPolicy policy);
} // namespace bv::platform
