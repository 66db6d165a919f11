#pragma once

#include <map>
#include <memory>

#include <QPointer>

#include "gui/dialog_controls.h"
#include "platform/dialog_view.h"

class QAbstractButton;
class QDialog;
class QTimer;
class QWidget;

namespace bv::gui {

class DialogWindow;

// The dialog renderer: shows any platform::DialogTemplate as a QDialog and
// serves the dialog's logic (a platform::DialogClient) through control ids.
//
// Notifications reach the logic only for what the user does; the setters of
// this view never notify (as the fake view of the tests):
// - push buttons, check boxes, radio buttons: Clicked;
// - edits (one line and multi-line), spin boxes, sliders: Changed;
// - list boxes and drop-down lists: SelChanged; list boxes also DoubleClicked;
// - static texts and pictures: DoubleClicked (the About box turns its page);
// - Escape and the title bar's close: IdCancel; F1: IdHelpKey (1537), and
//   Delete, when the focused control does not use the key itself (an edit
//   deletes a character, a list box passes it on): IdDeleteKey (1538).
// The logic decides when the dialog ends (DialogView::end). Disabling a group
// box disables the controls inside it.
//
// An edit with a maxLength cuts text the logic sets as well. The dialog is
// centred on the screen when it opens.
class QtDialogView final : public platform::DialogView {
  public:
    QtDialogView(platform::DialogClient& client, QWidget* owner);
    ~QtDialogView() override;
    QtDialogView(const QtDialogView&) = delete;
    QtDialogView& operator=(const QtDialogView&) = delete;

    // Calls the logic's onOpen and, unless it already ended the dialog, runs
    // the modal loop. Returns the result passed to end(), or IdCancel when the
    // loop ended without it (the application quit).
    int run();

    // The window and a control's widget (objectName = the id in decimal);
    // nullptr for an id the template lacks.
    QDialog* window() const;
    QWidget* control(int id) const;

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
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    void startTimer(int timerId, int periodMs) override;
    void killTimer(int timerId) override;
    void end(int result) override;

  private:
    friend class DialogWindow;

    void connectNotifications();
    void installKeys();
    void applyColours();
    void centreOnScreen();
    void notify(int id, platform::Notification what);
    void stopTimers();
    const RenderedControl* find(int id) const;
    RenderedControl* find(int id);
    // The check box or radio button with this id, or nullptr.
    QAbstractButton* checkButton(int id) const;

    platform::DialogClient& client_;
    QPointer<DialogWindow> window_;
    RenderedControls controls_;
    std::map<int, QPointer<QTimer>> timers_;
    bool ended_ = false;
    int result_ = platform::IdCancel;
};

} // namespace bv::gui
