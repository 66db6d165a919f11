#include "app/shell/logger_schedule_dialog.h"

#include <filesystem>

#include "app/base/settings_dialog_launcher.h"
#include "app/base/shell.h"
#include "app/base/strings_shell.h"
#include "app/base/template_builder.h"
#include "app/shell/time_edit.h"

namespace bv::app {

using platform::ControlKind;
using namespace logger_dialog;

namespace {

constexpr int kDaysGroup = 1040;
constexpr int kStartLabel = 1041;
constexpr int kEndLabel = 1042;
constexpr int kCommandLabel = 1043;
constexpr int kMultiStationNote = 1044;
constexpr int kTirrelNote = 1045;
constexpr int kTimeWidthChars = 8;
constexpr int kCommandWidthChars = 48;
// Browse has a column of its own, so the edits beside it take the spare width.
constexpr int kColumns = 5;

platform::DialogTemplate scheduleTemplate()
{
    TemplateBuilder b("SETUP_Darnex4", "Schedule Brisvane", kHelpTopic);
    b.add(kDaysGroup, ControlKind::GroupBox, "Days", 0).columnSpan = kColumns;
    const char* const names[7] = {"Mon", "Tues", "Wed", "Thurs", "Fri", "Sat", "Sun"};
    for (int day = 0; day < 7; ++day)
        b.add(kDayButtons[day], ControlKind::CheckBox, names[day], 0, day, kDaysGroup);
    b.add(kStartLabel, ControlKind::StaticText, "Start:", 1, 0);
    platform::ControlSpec& start = b.add(kStartEdit, ControlKind::Edit, "", 1, 1);
    b.add(kEndLabel, ControlKind::StaticText, "End:", 1, 2);
    platform::ControlSpec& end = b.add(kEndEdit, ControlKind::Edit, "", 1, 3);
    for (platform::ControlSpec* edit : {&start, &end})
        edit->widthChars = kTimeWidthChars;
    b.add(kCommandLabel, ControlKind::StaticText, "Brisvane Path", 2, 0);
    platform::ControlSpec& command = b.add(kCommandEdit, ControlKind::Edit, "", 2, 1);
    command.columnSpan = 3;
    command.maxLength = kMaxCommandLength;
    command.widthChars = kCommandWidthChars;
    b.add(kBrowse, ControlKind::PushButton, "&Browse", 2, 4);
    b.add(kEnable, ControlKind::CheckBox, "Enable Run (Darnex4 or Tirrel)", 3, 0).columnSpan =
        kColumns;
    b.add(kMultiStationNote, ControlKind::StaticText, std::string(strings::kLoggerMultiStationNote),
          4, 0)
        .columnSpan = kColumns;
    b.add(kTirrelNote, ControlKind::StaticText, std::string(strings::kLoggerTirrelNote), 5, 0)
        .columnSpan = kColumns;
    b.button(platform::IdOk, "&OK", 0).isDefault = true;
    b.button(platform::IdCancel, "&Cancel", 1);
    b.button(kHelpButton, "&Help", 2);
    return b.take();
}

} // namespace

LoggerScheduleDialog::LoggerScheduleDialog(Shell& shell, ConfigRecord& config)
    : Dialog(scheduleTemplate(), kHelpButton), shell_(shell), config_(config)
{
}

void LoggerScheduleDialog::handleOpen(platform::DialogView& view)
{
    for (std::size_t day = 0; day < config_.loggerDays.size(); ++day)
        view.setChecked(kDayButtons[day], config_.loggerDays[day] == Flag(true));
    view.setChecked(kEnable, config_.loggerEnabled == Flag(true));
    view.setText(kStartEdit, timeEditText(shell_, config_.loggerStartMin));
    view.setText(kEndEdit, timeEditText(shell_, config_.loggerEndMin));
    view.setText(kCommandEdit, config_.loggerCommand);
    view.setFocus(kStartEdit);
}

void LoggerScheduleDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    if (id == kBrowse)
        browse(view);
    else if (id == platform::IdOk)
        confirm(view);
    else if (id == platform::IdCancel)
        end(view, platform::IdCancel);
}

void LoggerScheduleDialog::browse(platform::DialogView& view)
{
    const std::filesystem::path current = view.text(kCommandEdit);
    const std::vector<std::string> chosen = shell_.ui().chooseFiles(
        {"Programs (*)", "*"},
        current.has_parent_path() ? current.parent_path().string() : config_.stationDir);
    if (!chosen.empty())
        view.setText(kCommandEdit, chosen.front().substr(0, kMaxCommandLength));
}

void LoggerScheduleDialog::confirm(platform::DialogView& view)
{
    ConfigRecord chosen = config_;
    for (std::size_t day = 0; day < chosen.loggerDays.size(); ++day)
        chosen.loggerDays[day] = Flag(view.checked(kDayButtons[day]));
    chosen.loggerEnabled = Flag(view.checked(kEnable));
    if (!readTimeEdit(shell_, view, kStartEdit, strings::kInvalidStartTime,
                      chosen.loggerStartMin) ||
        !readTimeEdit(shell_, view, kEndEdit, strings::kInvalidEndTime, chosen.loggerEndMin))
        return;
    chosen.loggerCommand = view.text(kCommandEdit).substr(0, kMaxCommandLength);
    if (chosen.loggerStartMin >= chosen.loggerEndMin) {
        shell_.askBox(strings::kFromAfterTo.text, BoxOwner::ActiveWindow);
        return;
    }
    if (chosen.loggerEndMin - chosen.loggerStartMin < kShortestWindowMin &&
        shell_.askBox(strings::kLoggerWindowTooShort, BoxOwner::ActiveWindow) ==
            platform::MessageResult::Yes)
        return;
    config_ = std::move(chosen);
    end(view, platform::IdOk);
}

int runScheduleDialog(SettingsDialogLauncher& launcher, Shell& shell, ConfigRecord& config,
                      const std::function<void()>& saveConfiguration)
{
    LoggerScheduleDialog dialog(shell, config);
    return launcher.runAndSave(dialog, saveConfiguration);
}

} // namespace bv::app
