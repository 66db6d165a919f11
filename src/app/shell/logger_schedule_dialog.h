#pragma once

#include "app/base/config_record.h"
#include <functional>

#include "app/base/dialog.h"

namespace bv::platform {
class Ui;
}

namespace bv::app {

class SettingsDialogLauncher;
class Shell;

// "Schedule Brisvane" ("SETUP_Darnex4", help topic 120): the logger program's
// command, its weekdays and daily window, and the switch that enables it.
namespace logger_dialog {
inline constexpr int kHelpTopic = 120;
inline constexpr int kHelpButton = 3;
// Monday to Sunday, as the configuration's loggerDays.
inline constexpr int kDayButtons[7] = {1051, 1052, 1053, 1054, 1055, 1056, 1057};
inline constexpr int kStartEdit = 1050;
inline constexpr int kEndEdit = 1006;
inline constexpr int kCommandEdit = 1205;
inline constexpr int kBrowse = 1015;
inline constexpr int kEnable = 1206;
inline constexpr int kMaxCommandLength = 99;
inline constexpr int kShortestWindowMin = 10;
} // namespace logger_dialog

// Edits a copy of the logger settings; only OK writes them into the record.
// OK reads both times (a rejected text asks whether to correct it: Yes stays,
// No keeps the old time), refuses a start that is not before the end, and
// asks about a window shorter than 10 minutes (Yes stays, No accepts).
class LoggerScheduleDialog final : public Dialog {
  public:
    LoggerScheduleDialog(Shell& shell, ConfigRecord& config);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    void browse(platform::DialogView& view);
    void confirm(platform::DialogView& view);

    Shell& shell_;
    ConfigRecord& config_;
};

// Runs the dialog through the settings launcher, which holds automatic work
// off while it is open and saves the configuration unless it is cancelled.
int runScheduleDialog(SettingsDialogLauncher& launcher, Shell& shell, ConfigRecord& config,
                      const std::function<void()>& saveConfiguration);

} // namespace bv::app
