#pragma once

#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/ui.h"
#include "units/regional_settings.h"

namespace bv::app {

inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kWarningCaption = "Warning";
inline constexpr std::string_view kOutOfMemoryText =
    "Not enough memory to complete operation.  Please exit windows.";

// Whether a message box belongs to the active window or stands alone.
enum class BoxOwner { None, ActiveWindow };

// The main window's status line, busy cursor and message boxes, as every part
// of the program uses them. Made once by main with the program's Ui, clock and
// regional settings.
//
// Each message box first restores the arrow cursor.
class Shell {
  public:
    Shell(platform::Ui& ui, const platform::Clock& clock, const units::RegionalSettings& regional)
        : ui_(ui), clock_(clock), regional_(regional)
    {
    }

    // " " + short date + " " + time + " " + text, with the moment's date and time.
    void showStatus(std::string_view text);
    void clearStatus();
    // The next frame of the busy cursor: CUP1, CUP2, CUP1, ... on every call.
    void setBusyCursor();

    void errorBox(std::string_view text, BoxOwner owner = BoxOwner::None);
    // A string-table text, cut at 150 characters, under "Error".
    void errorBoxId(int stringId, BoxOwner owner = BoxOwner::None);
    void warningBox(std::string_view text, BoxOwner owner = BoxOwner::None);
    // "Warning", Yes and No, stop icon: returns Yes or No.
    platform::MessageResult askBox(std::string_view text, BoxOwner owner = BoxOwner::None);
    // "Confirm" with the given buttons and a question icon.
    platform::MessageResult confirmBox(std::string_view text, platform::MessageButtons buttons,
                                       BoxOwner owner = BoxOwner::None);
    void outOfMemoryBox(BoxOwner owner = BoxOwner::None);

    // Any other box; restores the arrow cursor first like the rest.
    platform::MessageResult messageBox(std::string_view caption, std::string_view text,
                                       platform::MessageButtons buttons, platform::MessageIcon icon,
                                       BoxOwner owner = BoxOwner::None);

    platform::Ui& ui() const { return ui_; }
    const platform::Clock& clock() const { return clock_; }
    const units::RegionalSettings& regional() const { return regional_; }

  private:
    platform::Ui& ui_;
    const platform::Clock& clock_;
    const units::RegionalSettings& regional_;
    bool nextFrameIsCup2_ = false;
};

} // namespace bv::app
