#pragma once

#include <functional>
#include <vector>

#include "platform/dialog_view.h"

namespace bv::guitest {

// A dialog logic for renderer tests: it records what reaches it and runs the
// test's reactions.
class RecordingClient : public platform::DialogClient {
  public:
    struct Command {
        int id;
        platform::Notification what;
        bool operator==(const Command&) const = default;
    };

    explicit RecordingClient(platform::DialogTemplate dialogTemplate)
        : template_(std::move(dialogTemplate))
    {
    }

    const platform::DialogTemplate& dialogTemplate() const override { return template_; }
    void onOpen(platform::DialogView& view) override
    {
        ++opened;
        if (onOpenDo)
            onOpenDo(view);
    }
    void onCommand(platform::DialogView& view, int id, platform::Notification what) override
    {
        commands.push_back({id, what});
        if (onCommandDo)
            onCommandDo(view, id, what);
    }
    void onTimer(platform::DialogView& view, int timerId) override
    {
        timers.push_back(timerId);
        if (onTimerDo)
            onTimerDo(view, timerId);
    }

    int opened = 0;
    std::vector<Command> commands;
    std::vector<int> timers;
    std::function<void(platform::DialogView&)> onOpenDo;
    std::function<void(platform::DialogView&, int, platform::Notification)> onCommandDo;
    std::function<void(platform::DialogView&, int)> onTimerDo;

  private:
    platform::DialogTemplate template_;
};

// Every kind of control once, some in a group box, and a button row.
platform::DialogTemplate everyKindTemplate();

namespace ids {
inline constexpr int kLabel = 100;
inline constexpr int kEdit = 101;
inline constexpr int kNumber = 102;
inline constexpr int kPassword = 103;
inline constexpr int kNotes = 104;
inline constexpr int kCheck = 105;
inline constexpr int kGroup = 106;
inline constexpr int kRadioA = 107;
inline constexpr int kRadioB = 108;
inline constexpr int kList = 109;
inline constexpr int kMultiList = 110;
inline constexpr int kDropDown = 111;
inline constexpr int kSpin = 112;
inline constexpr int kSlider = 113;
inline constexpr int kProgress = 114;
inline constexpr int kPicture = 115;
inline constexpr int kPlainLabel = 116;
inline constexpr int kApply = 117;
inline constexpr int kHelp = 118;
} // namespace ids

} // namespace bv::guitest
