#include "station/archive_dialog.h"

#include <charconv>
#include <string>

#include "app/base/settings_dialog_launcher.h"
#include "app/base/shell.h"
#include "app/base/shell_helpers.h"
#include "app/base/strings_station.h"
#include "app/base/template_builder.h"
#include "station/archive_settings.h"
#include "station/station_session.h"

namespace bv::station {

using platform::ControlKind;
using namespace archive_dialog;

namespace {

constexpr int kIntervalGroup = 1300;
constexpr int kFileGroup = 1319;
constexpr int kDownloadGroup = 1320;
constexpr int kHoursLabel = 1321;
constexpr int kMinutesLabel = 1322;
constexpr int kFileNameLabel = 1323;
constexpr int kFallbackInterval = 30; // shown when the station's period is none of ours
constexpr int kMinutesPerHour = 60;
constexpr int kNumberWidth = 5;
constexpr int kNumberDigits = 4; // up to 9999 hours
constexpr int kFileNameWidth = 30;

platform::DialogTemplate archiveTemplate()
{
    app::TemplateBuilder b("SETUP_ARCHIVE", "Archive ", kHelpTopic);
    b.add(kIntervalGroup, ControlKind::GroupBox, "Archive Interval", 0, 0).rowSpan = 3;
    const auto intervals = archiveIntervals();
    for (std::size_t i = 0; i < intervals.size(); ++i)
        b.add(kIntervalButtons[i], ControlKind::RadioButton, std::string(intervals[i].label),
              static_cast<int>(i), 0, kIntervalGroup);

    b.add(kDownloadGroup, ControlKind::GroupBox, "Download", 0, 1);
    b.add(kEnableDownload, ControlKind::CheckBox, "Enable Download", 0, 0, kDownloadGroup)
        .columnSpan = 4;
    b.add(kClearAfterDownload, ControlKind::CheckBox, "Clear Archive Memory after download", 1, 0,
          kDownloadGroup)
        .columnSpan = 4;
    b.add(kBeforeUpload, ControlKind::CheckBox, "Download before  uploading file to FTP site.", 2,
          0, kDownloadGroup)
        .columnSpan = 4;
    b.add(kHoursLabel, ControlKind::StaticText, "Hr:", 3, 0, kDownloadGroup);
    platform::ControlSpec& hours = b.add(kHours, ControlKind::NumberEdit, "", 3, 1, kDownloadGroup);
    b.add(kMinutesLabel, ControlKind::StaticText, "Min:", 3, 2, kDownloadGroup);
    platform::ControlSpec& minutes =
        b.add(kMinutes, ControlKind::NumberEdit, "", 3, 3, kDownloadGroup);
    for (platform::ControlSpec* number : {&hours, &minutes}) {
        number->widthChars = kNumberWidth;
        number->maxLength = kNumberDigits;
    }

    b.add(kFileGroup, ControlKind::GroupBox, "Archive File", 1, 1);
    b.add(kOverwrite, ControlKind::RadioButton, "Overwrite the archive file after each download.",
          0, 0, kFileGroup)
        .columnSpan = 2;
    b.add(kAppend, ControlKind::RadioButton, "Append records to the archive file.", 1, 0,
          kFileGroup)
        .columnSpan = 2;
    b.add(kFileNameLabel, ControlKind::StaticText, "File Name:", 2, 0, kFileGroup);
    platform::ControlSpec& name = b.add(kFileName, ControlKind::Edit, "", 2, 1, kFileGroup);
    name.maxLength = kMaxFileName;
    name.widthChars = kFileNameWidth;

    b.button(platform::IdOk, "OK", 0).isDefault = true;
    b.button(platform::IdCancel, "Cancel", 1);
    b.button(kHelpButton, "&Help", 2);
    return b.take();
}

int numberIn(const std::string& text)
{
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Hr x 60 + Min.
int downloadInterval(const platform::DialogView& view)
{
    return numberIn(view.text(kHours)) * kMinutesPerHour + numberIn(view.text(kMinutes));
}

} // namespace

ArchiveDialog::ArchiveDialog(app::Shell& shell, app::ConfigRecord& config, StationLink& link,
                             int stationPeriod)
    : Dialog(archiveTemplate(), kHelpButton), shell_(shell), config_(config), link_(link),
      stationPeriod_(stationPeriod)
{
}

void ArchiveDialog::handleOpen(platform::DialogView& view)
{
    int shown = stationPeriod_;
    if (!findArchiveInterval(shown)) {
        shell_.messageBox(app::kErrorCaption, app::strings::kStationCommError.text,
                          platform::MessageButtons::Ok, platform::MessageIcon::Warning,
                          app::BoxOwner::ActiveWindow);
        shown = kFallbackInterval;
    }
    const auto intervals = archiveIntervals();
    for (std::size_t i = 0; i < intervals.size(); ++i)
        if (intervals[i].minutes == shown)
            view.setChecked(kIntervalButtons[i], true);
    view.setChecked(kEnableDownload, static_cast<bool>(config_.downloadEnabled));
    view.setChecked(kClearAfterDownload, static_cast<bool>(config_.clearArchiveAfterDownload));
    view.setChecked(config_.archiveOverwrite ? kOverwrite : kAppend, true);
    view.setChecked(kBeforeUpload, static_cast<bool>(config_.downloadBeforeUpload));
    view.setText(kFileName, config_.archiveFileName);
    showInterval(view);
    view.setFocus(kEnableDownload);
}

void ArchiveDialog::showInterval(platform::DialogView& view) const
{
    const bool ownInterval = !view.checked(kBeforeUpload);
    view.setEnabled(kHours, ownInterval);
    view.setEnabled(kMinutes, ownInterval);
    view.setText(kHours, ownInterval ? std::to_string(config_.downloadIntervalMin / kMinutesPerHour)
                                     : std::string());
    view.setText(kMinutes, ownInterval
                               ? std::to_string(config_.downloadIntervalMin % kMinutesPerHour)
                               : std::string());
}

void ArchiveDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    if (id == kBeforeUpload)
        showInterval(view);
    else if (id == platform::IdOk)
        confirm(view);
    else if (id == platform::IdCancel)
        end(view, platform::IdCancel);
}

int ArchiveDialog::chosenInterval(const platform::DialogView& view) const
{
    const auto intervals = archiveIntervals();
    for (std::size_t i = 0; i < intervals.size(); ++i)
        if (view.checked(kIntervalButtons[i]))
            return intervals[i].minutes;
    return stationPeriod_;
}

void ArchiveDialog::confirm(platform::DialogView& view)
{
    using platform::MessageResult;
    const bool ownInterval = !view.checked(kBeforeUpload);
    if (app::isBlank(view.text(kFileName)) &&
        shell_.askBox(app::strings::kInvalidDownloadFileName, app::BoxOwner::ActiveWindow) ==
            MessageResult::Yes) {
        view.setFocus(kFileName);
        return;
    }
    if (view.checked(kEnableDownload) && ownInterval &&
        downloadInterval(view) < kShortestAdvisedInterval &&
        shell_.askBox(app::strings::kDownloadIntervalTooShort, app::BoxOwner::ActiveWindow) ==
            MessageResult::Yes) {
        view.setFocus(kMinutes);
        return;
    }
    const int chosen = chosenInterval(view);
    if (chosen != stationPeriod_) {
        if (shell_.messageBox(app::strings::kPleaseNoteCaption, app::strings::kArchiveWillBeCleared,
                              platform::MessageButtons::OkCancel, platform::MessageIcon::Warning,
                              app::BoxOwner::ActiveWindow) == MessageResult::Cancel)
            return;
        shell_.setBusyCursor();
        if (setArchiveInterval(link_, chosen) < 0)
            shell_.warningBox(app::strings::kStationCommError.text, app::BoxOwner::ActiveWindow);
        shell_.ui().restoreCursor();
    }
    store(view);
    shell_.clearStatus();
    end(view, platform::IdOk);
}

void ArchiveDialog::store(const platform::DialogView& view)
{
    config_.downloadEnabled = view.checked(kEnableDownload);
    config_.clearArchiveAfterDownload = view.checked(kClearAfterDownload);
    config_.archiveOverwrite = view.checked(kOverwrite);
    config_.downloadBeforeUpload = view.checked(kBeforeUpload);
    if (!view.checked(kBeforeUpload))
        config_.downloadIntervalMin = downloadInterval(view);
    config_.archiveFileName = view.text(kFileName).substr(0, kMaxFileName);
}

int runArchiveDialog(app::SettingsDialogLauncher& launcher, app::Shell& shell,
                     app::ConfigRecord& config, StationSession& session)
{
    const app::GateHold held = launcher.holdGate();
    shell.setBusyCursor();
    int result = platform::IdCancel;
    session.runOperation([&](StationLink& link) {
        const int period = readArchivePeriod(link);
        shell.ui().restoreCursor();
        if (period < 0) {
            session.messages().status(std::string(app::strings::kStationCommError.text));
            return period;
        }
        ArchiveDialog dialog(shell, config, link, period);
        result = launcher.run(dialog);
        return kDone;
    });
    shell.ui().restoreCursor();
    return result;
}

} // namespace bv::station
