#pragma once

#include "app/base/config_record.h"
#include "app/base/dialog.h"

namespace bv::app {

class DialogHost;
class Shell;

// The Range dialog ("SETUP_RANGE", "Range", help topic 90): binds a timed
// activity (transfers, alarm pages, weather pages) to weekdays and a daily
// window.
namespace range_dialog {
inline constexpr int kHelpTopic = 90;
inline constexpr int kHelpButton = 1212;
// By day index, Sunday first: "Sun" is 1057, "Mon" to "Sat" 1051 to 1056.
inline constexpr int kDayButtons[7] = {1057, 1051, 1052, 1053, 1054, 1055, 1056};
inline constexpr int kEnableRange = 1046;
inline constexpr int kFromEdit = 1050;
inline constexpr int kToEdit = 1006;
} // namespace range_dialog

// Writes the range only when it closes with OK. OK reads the times with the
// regional time parser; a text it rejects asks whether to modify it (Yes: back
// to the dialog, No: keep that time as the range holds it). A to-time earlier than the from-time is
// refused with a warning and the dialog stays open; equal times are accepted.
class RangeDialog final : public Dialog {
  public:
    RangeDialog(Shell& shell, DayRange& range);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    void confirm(platform::DialogView& view);

    Shell& shell_;
    DayRange& range_;
};

// Edits one day-range of the configuration in place; used by the Internet and
// Pager dialogs (nested in them). Returns 1 for OK and 2 when cancelled, in
// which case the range is unchanged.
int runRangeDialog(DialogHost& host, Shell& shell, DayRange& range);

} // namespace bv::app
