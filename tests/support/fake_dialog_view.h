#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/dialog_view.h"

namespace bv::testsupport {

// A DialogView without windows: it keeps the state of every control of the
// dialog's template and lets a test act as the user (click, type, choose, let a
// timer tick) while the dialog logic reacts through the same interface the Qt
// renderer serves.
//
// It is stricter than a real view on purpose: an id the template lacks, a
// property the control kind does not have (checked on a list box, items on an
// edit), an index outside a list, a click on a disabled or hidden control, a
// timer that is not running or any action after the dialog ended is a test
// failure (reported with ADD_FAILURE, never undefined behaviour).
//
// Behaviour shared with the Qt renderer:
// - every control starts enabled and visible; an edit or static text starts
//   with its caption as text; a value starts at the control's minimum;
// - checking a radio button unchecks the other radio buttons of its parent;
// - text() of a list box or drop-down list is the current item's text;
// - a spin box's text is its value, and setText on it sets the value;
// - setValue clamps to the control's range;
// - setItems clears the selection; a single-selection list's selected
//   indexes are its current index.
class FakeDialogView : public platform::DialogView {
  public:
    explicit FakeDialogView(platform::DialogClient& client);

    // Calls the logic's onOpen.
    void open();

    // The user's actions; each sends the notification a real control sends.
    void click(int id);                              // buttons toggle/check first
    void enterText(int id, const std::string& text); // Changed
    void choose(int id, int index);                  // SelChanged
    void doubleClick(int id);                        // DoubleClicked (list boxes: after choosing)
    void changeValue(int id, int value);             // Changed
    // A command without a control: IdCancel (Escape, title bar), IdOk (Enter),
    // IdHelpKey (F1), IdDeleteKey (Delete).
    void sendCommand(int id, platform::Notification what = platform::Notification::Clicked);
    void fireTimer(int timerId);

    bool ended() const { return ended_; }
    int result() const { return result_; }
    int focus() const { return focus_; }
    bool timerRunning(int timerId) const { return timers_.count(timerId) != 0; }
    int timerPeriod(int timerId) const;
    int minimum(int id) const;
    int maximum(int id) const;
    const platform::DialogTemplate& dialogTemplate() const { return template_; }

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
    void setFocus(int id) override;
    std::string caption() const override { return caption_; }
    void setCaption(const std::string& caption) override { caption_ = caption; }
    void startTimer(int timerId, int periodMs) override;
    void killTimer(int timerId) override;
    void end(int result) override;

  private:
    struct Control {
        const platform::ControlSpec* spec = nullptr;
        std::string text;
        bool checked = false;
        bool enabled = true;
        bool visible = true;
        std::vector<std::string> items;
        int current = -1;
        std::set<int> selected; // multiple-selection lists only
        int value = 0;
        int minimum = 0;
        int maximum = 100;
    };
    enum class Property { Text, Check, Items, Value };

    // The control, or nullptr after a test failure naming what was wrong.
    const Control* find(int id, const char* what) const;
    Control* find(int id, const char* what);
    const Control* findWith(int id, Property property, const char* what) const;
    Control* findWith(int id, Property property, const char* what);
    Control* actOn(int id, const char* what); // a user action on an enabled, visible control
    bool stillOpen(const char* what) const;
    bool indexInList(const Control& c, int index, const char* what) const;

    platform::DialogClient& client_;
    const platform::DialogTemplate& template_;
    std::map<int, Control> controls_;
    std::map<int, int> timers_; // id -> period
    std::string caption_;
    int focus_ = 0;
    bool ended_ = false;
    int result_ = 0;
};

// A control for a test's template; set further fields on the result.
platform::ControlSpec controlSpec(int id, platform::ControlKind kind, std::string caption = {});

} // namespace bv::testsupport
