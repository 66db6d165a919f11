#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/dialog_view.h"
#include "platform/event_loop.h"

namespace bv::platform {

// Runs a dialog that needs nobody (a progress dialog) without a display: its
// controls live in memory, its timers run on the event loop, and every new
// text of a static text is written to the log as "TITLE: text".
class UnattendedDialogView final : public DialogView {
  public:
    UnattendedDialogView(DialogClient& dialog, EventLoop& loop, std::ostream& log);
    ~UnattendedDialogView() override;
    UnattendedDialogView(const UnattendedDialogView&) = delete;
    UnattendedDialogView& operator=(const UnattendedDialogView&) = delete;

    // Opens the dialog and runs the loop until the dialog ends; its result.
    int run();

    std::string text(int id) const override;
    void setText(int id, const std::string& text) override;
    bool checked(int id) const override;
    void setChecked(int id, bool on) override;
    bool enabled(int id) const override;
    void setEnabled(int id, bool on) override;
    bool visible(int id) const override;
    void setVisible(int id, bool on) override;
    std::vector<std::string> items(int id) const override;
    void setItems(int id, const std::vector<std::string>& items) override;
    int currentIndex(int id) const override;
    void setCurrentIndex(int id, int index) override;
    std::vector<int> selectedIndexes(int id) const override;
    void setSelected(int id, int index, bool on) override;
    int value(int id) const override;
    void setValue(int id, int value) override;
    void setRange(int id, int minimum, int maximum) override;
    void setFocus(int) override {}
    std::string caption() const override { return caption_; }
    void setCaption(const std::string& caption) override { caption_ = caption; }
    void startTimer(int timerId, int periodMs) override;
    void killTimer(int timerId) override;
    void end(int result) override;

  private:
    struct Control {
        std::string text;
        bool checked = false;
        bool enabled = true;
        bool visible = true;
        std::vector<std::string> items;
        int index = -1;
        int value = 0;
    };
    Control& control(int id) { return controls_[id]; }
    const Control* find(int id) const;

    DialogClient& dialog_;
    EventLoop& loop_;
    std::ostream& log_;
    std::string caption_;
    std::map<int, Control> controls_;
    std::map<int, TimerId> timers_; // dialog timer id -> loop timer
    bool ended_ = false;
    int result_ = 0;
};

} // namespace bv::platform
