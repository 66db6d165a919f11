#pragma once

#include <cstddef>
#include <string>

#include "platform/dialog_template.h"
#include "platform/dialog_view.h"

namespace bv::app {

class DialogHost;

// Template names are at most this long (the name of a dialog resource).
inline constexpr std::size_t kMaxTemplateNameLength = 19;

// The base of every dialog of the program: a template, the logic's handlers
// for opening, commands and timers, and while it runs the view it is shown in.
//
// The framework does what every dialog does alike: F1 (IdHelpKey, command 1537)
// and the dialog's Help button open the template's help topic; commands and
// timers that arrive when the dialog is not running (before onOpen, after end)
// are dropped. Everything else, Cancel (IdCancel, 2) and Delete
// (IdDeleteKey, 1538) included, goes to handleCommand: a dialog ends with
// end(view, IdOk) or end(view, IdCancel) as its logic decides.
class Dialog : public platform::DialogClient {
  public:
    // Throws std::invalid_argument for a template name longer than
    // kMaxTemplateNameLength. helpButtonId is the id of the dialog's Help
    // button, 0 when it has none.
    explicit Dialog(platform::DialogTemplate dialogTemplate, int helpButtonId = 0);

    const platform::DialogTemplate& dialogTemplate() const final { return template_; }
    const std::string& templateName() const { return template_.name; }

    // Runs the dialog modally over the active window and returns its result
    // (1 OK, 2 Cancel, or what the dialog passed to end). A dialog that is
    // already open is not opened a second time: the call returns IdCancel.
    int run(DialogHost& host);
    bool running() const { return running_; }
    bool isOpen() const { return host_ != nullptr; }

    void onOpen(platform::DialogView& view) final;
    void onCommand(platform::DialogView& view, int id, platform::Notification what) final;
    void onTimer(platform::DialogView& view, int timerId) final;

  protected:
    // The dialog's message handler.
    virtual void handleOpen(platform::DialogView& view) = 0;
    virtual void handleCommand(platform::DialogView& view, int id, platform::Notification what) = 0;
    // Dialogs with timers override it; the default ignores timers.
    virtual void handleTimer(platform::DialogView& view, int timerId);

    // Ends the modal run with result; the dialog stops receiving commands.
    void end(platform::DialogView& view, int result);
    // The host this dialog runs in, for nested dialogs and help; only valid
    // while isOpen().
    DialogHost& host() const;

  private:
    friend class DialogHost;

    platform::DialogTemplate template_;
    int helpButtonId_;
    DialogHost* host_ = nullptr;
    platform::DialogView* view_ = nullptr;
    bool running_ = false;
};

} // namespace bv::app
