#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bv::platform {

class DialogClient;

// The help file in the station directory: an HTML page with one anchor per
// topic number, which every dialog opens at its own topic.
inline constexpr std::string_view kHelpFileName = "Viraraz.hlp";

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageIcon { None, Information, Warning, Stop, Question };

// The answer of a message box; the numbers are the dialog results the rest of
// the program compares with (1 OK, 2 Cancel, 4 Retry, 6 Yes, 7 No).
enum class MessageResult { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

// The buttons of a set, the default (first) button first.
inline std::vector<MessageResult> buttonsOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return {MessageResult::Ok};
    case MessageButtons::OkCancel:
        return {MessageResult::Ok, MessageResult::Cancel};
    case MessageButtons::YesNo:
        return {MessageResult::Yes, MessageResult::No};
    case MessageButtons::YesNoCancel:
        return {MessageResult::Yes, MessageResult::No, MessageResult::Cancel};
    case MessageButtons::RetryCancel:
        return {MessageResult::Retry, MessageResult::Cancel};
    }
    return {MessageResult::Ok};
}

struct MessageBoxRequest {
    std::string caption;
    std::string text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    bool hasOwner = false; // owned by the active window, or free-standing
};

enum class BusyFrame { Cup1, Cup2 };

// One filter of a file dialog: its name as shown and its glob pattern.
struct FileFilter {
    std::string name;    // "File (*.*)"
    std::string pattern; // "*"
};

// What the core needs of the user interface: the Qt window, the headless
// policy or a scripted test double.
class Ui {
  public:
    virtual ~Ui() = default;
    virtual void setStatusText(const std::string& text) = 0;
    virtual MessageResult messageBox(const MessageBoxRequest& request) = 0;
    virtual void showBusyCursor(BusyFrame frame) = 0;
    virtual void restoreCursor() = 0;
    // Runs a dialog modally over the active window and returns the result its
    // logic passed to DialogView::end. Nested runs are allowed.
    virtual int runModal(DialogClient& dialog) = 0;
    // The event log changed on disk; an open log viewer reloads it.
    virtual void eventLogChanged() = 0;
    // Opens the help file of the station directory at a topic
    // number (0 = its contents page). A Ui without a help viewer ignores it.
    virtual void showHelp(int topic) { static_cast<void>(topic); }
    // Sounds the speaker (a PC Speaker pager entry). A Ui without one stays silent.
    virtual void beep() {}
    // The directory picker ("Select Directory"), opened at startDir: the chosen
    // directory's absolute path, or an empty text when the user cancelled.
    virtual std::string chooseDirectory(const std::string& title, const std::string& startDir) = 0;
    // The file-open dialog with multiple selection, existing files only,
    // opened at startDir with one filter (e.g. "File (*.*)" and "*"): the
    // absolute paths of the chosen files, none when the user cancelled.
    virtual std::vector<std::string> chooseFiles(const FileFilter& filter,
                                                 const std::string& startDir) = 0;
};

} // namespace bv::platform
