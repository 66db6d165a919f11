#pragma once

#include <string>
#include <vector>

#include "platform/dialog_template.h"

namespace bv::platform {

// Well-known command ids, as the dialog logic receives them.
enum CommandId : int {
    IdOk = 1,
    IdCancel = 2,   // Cancel button, Escape and the title bar's close
    IdHelpKey = 1537, // F1 reaches the active dialog as this command
    IdDeleteKey = 1538, // Delete reaches the active dialog as this command
};

enum class Notification {
    Clicked,       // push button, check box, radio button, Enter/Escape
    Changed,       // text of an edit, value of a spin box or slider
    SelChanged,    // selection of a list box or drop-down list
    DoubleClicked, // list boxes, static texts and pictures (the About box)
};

// The controls of one open dialog, addressed by control id. Ids the dialog
// does not have are ignored by setters and read as empty by getters.
class DialogView {
  public:
    virtual ~DialogView() = default;

    virtual std::string text(int id) const = 0;
    virtual void setText(int id, const std::string& text) = 0;
    virtual bool checked(int id) const = 0;
    virtual void setChecked(int id, bool on) = 0;
    virtual bool enabled(int id) const = 0;
    virtual void setEnabled(int id, bool on) = 0;
    virtual bool visible(int id) const = 0;
    virtual void setVisible(int id, bool on) = 0;

    // List boxes and drop-down lists.
    virtual std::vector<std::string> items(int id) const = 0;
    virtual void setItems(int id, const std::vector<std::string>& items) = 0;
    virtual int currentIndex(int id) const = 0; // -1 = none
    virtual void setCurrentIndex(int id, int index) = 0;
    virtual std::vector<int> selectedIndexes(int id) const = 0;
    virtual void setSelected(int id, int index, bool on) = 0;

    // Spin boxes, sliders and progress bars.
    virtual int value(int id) const = 0;
    virtual void setValue(int id, int value) = 0;
    virtual void setRange(int id, int minimum, int maximum) = 0;

    virtual void setFocus(int id) = 0;
    virtual std::string caption() const = 0;
    virtual void setCaption(const std::string& caption) = 0;

    // A repeating dialog timer; the dialog receives onTimer(timerId) until it is
    // killed or the dialog ends.
    virtual void startTimer(int timerId, int periodMs) = 0;
    virtual void killTimer(int timerId) = 0;

    // Ends the modal run; runModal returns result.
    virtual void end(int result) = 0;
};

// The logic side of a dialog, served by whichever view renders it.
class DialogClient {
  public:
    virtual ~DialogClient() = default;
    virtual const DialogTemplate& dialogTemplate() const = 0;
    virtual void onOpen(DialogView& view) = 0;
    virtual void onCommand(DialogView& view, int id, Notification what) = 0;
    virtual void onTimer(DialogView& view, int timerId) = 0;
};

} // namespace bv::platform
