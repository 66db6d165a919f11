#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"
#include "support/fake_dialog_view.h"

namespace bv::testsupport {

// A Ui for tests: it records every message box, status text, cursor frame, help
// request and dialog, answers message boxes from a script, and runs dialogs
// modally through a FakeDialogView driven by the test's script for that
// dialog's template name.
//
//   ScriptedUi ui;
//   ui.onDialog("SETUP_UNITS", [](FakeDialogView& v) {
//       v.choose(kTemperatureList, 1);
//       v.click(platform::IdOk);
//   });
//   ui.queueAnswer(platform::MessageResult::No);
//
// A script runs after the dialog's onOpen; the dialog must have ended when the
// script returns. Scripts may open nested dialogs (a click that makes the logic
// run another dialog runs that dialog's script before click returns). A dialog
// without a script, a dialog left open, and a queued answer that is not one of
// the box's buttons are test failures.
class ScriptedUi : public platform::Ui {
  public:
    using DialogScript = std::function<void(FakeDialogView&)>;

    struct Box {
        platform::MessageBoxRequest request;
        platform::MessageResult answer;
        bool busyCursorShown; // a busy frame was on screen when the box came up
    };

    // Answers are used in order; when none is queued, the default answer is
    // given, and without one the box's first button (OK, Yes or Retry).
    void queueAnswer(platform::MessageResult answer) { answers_.push_back(answer); }
    void setDefaultAnswer(platform::MessageResult answer) { defaultAnswer_ = answer; }
    // Replaces the script of a template name.
    void onDialog(const std::string& templateName, DialogScript script);

    const std::vector<Box>& boxes() const { return boxes_; }
    const std::vector<std::string>& statusTexts() const { return statusTexts_; }
    std::string statusText() const;
    const std::vector<platform::BusyFrame>& busyFrames() const { return busyFrames_; }
    bool busyCursorShown() const { return busy_; }
    const std::vector<std::string>& openedDialogs() const { return openedDialogs_; }
    const std::vector<int>& helpTopics() const { return helpTopics_; }
    int eventLogChanges() const { return eventLogChanges_; }

    void setStatusText(const std::string& text) override;
    platform::MessageResult messageBox(const platform::MessageBoxRequest& request) override;
    void showBusyCursor(platform::BusyFrame frame) override;
    void restoreCursor() override { busy_ = false; }
    int runModal(platform::DialogClient& dialog) override;
    void eventLogChanged() override { ++eventLogChanges_; }
    void showHelp(int topic) override { helpTopics_.push_back(topic); }
    std::string chooseDirectory(const std::string& title, const std::string& startDir) override;
    std::vector<std::string> chooseFiles(const platform::FileFilter& filter,
                                         const std::string& startDir) override;

    // What the next picker returns; a picker with nothing queued was cancelled.
    void queueDirectory(std::string path) { directories_.push_back(std::move(path)); }
    void queueFiles(std::vector<std::string> paths) { fileChoices_.push_back(std::move(paths)); }
    // The start directory of every picker opened, in order.
    const std::vector<std::string>& pickerStarts() const { return pickerStarts_; }

  private:
    std::deque<platform::MessageResult> answers_;
    std::optional<platform::MessageResult> defaultAnswer_;
    std::map<std::string, DialogScript> scripts_;
    std::vector<Box> boxes_;
    std::vector<std::string> statusTexts_;
    std::vector<platform::BusyFrame> busyFrames_;
    std::vector<std::string> openedDialogs_;
    std::vector<int> helpTopics_;
    std::deque<std::string> directories_;
    std::deque<std::vector<std::string>> fileChoices_;
    std::vector<std::string> pickerStarts_;
    int eventLogChanges_ = 0;
    bool busy_ = false;
};

} // namespace bv::testsupport
