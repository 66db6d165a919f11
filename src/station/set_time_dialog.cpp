#include "station/set_time_dialog.h"

#include <cstring>
#include <string>

#include "app/base/settings_dialog_launcher.h"
#include "app/base/shell.h"
#include "app/base/strings_shell.h"
#include "app/base/strings_station.h"
#include "app/base/template_builder.h"
#include "app/base/text_pattern.h"
#include "platform/clock_setter.h"
#include "station/archive_settings.h"
#include "station/station_session.h"
#include "units/date_time.h"

namespace bv::station {

using platform::ControlKind;
using namespace set_time_dialog;

namespace {

constexpr int kNowGroup = 1084;
constexpr int kDateLabel = 1085;
constexpr int kTimeLabel = 1086;
constexpr int kFieldWidth = 12;
constexpr int kFieldLength = 19;

platform::DialogTemplate setTimeTemplate()
{
    app::TemplateBuilder b("SETTIME", "Set Time & Date", kHelpTopic);
    b.add(kDateLabel, ControlKind::StaticText, "Date:", 0, 0);
    platform::ControlSpec& date = b.add(kDate, ControlKind::Edit, "", 0, 1);
    b.add(kTimeLabel, ControlKind::StaticText, "Time:", 1, 0);
    platform::ControlSpec& time = b.add(kTime, ControlKind::Edit, "", 1, 1);
    for (platform::ControlSpec* field : {&date, &time}) {
        field->widthChars = kFieldWidth;
        field->maxLength = kFieldLength;
    }
    b.add(kSetPcTime, ControlKind::CheckBox, "Set the PC time also.", 2, 0).columnSpan = 2;
    b.add(kNowGroup, ControlKind::GroupBox, "Time on station now...", 0, 2).rowSpan = 3;
    b.add(kStationTime, ControlKind::StaticText, "", 0, 0, kNowGroup).widthChars = kFieldWidth;
    b.add(kStationDate, ControlKind::StaticText, "", 1, 0, kNowGroup).widthChars = kFieldWidth;
    b.button(platform::IdOk, "&Set", 0).isDefault = true;
    b.button(platform::IdCancel, "&Cancel", 1);
    b.button(kHelpButton, "&Help", 2);
    return b.take();
}

} // namespace

SetTimeDialog::SetTimeDialog(app::Shell& shell, platform::ClockSetter& pcClock,
                             StationMessages messages, StationLink& link,
                             const StationTime& stationNow)
    : Dialog(setTimeTemplate(), kHelpButton), shell_(shell), pcClock_(pcClock),
      messages_(std::move(messages)), link_(link), stationNow_(stationNow)
{
}

void SetTimeDialog::handleOpen(platform::DialogView& view)
{
    const units::RegionalSettings& regional = shell_.regional();
    units::DateTime pc;
    pc.now(shell_.clock());
    view.setText(kDate, pc.shortDate(regional));
    view.setText(kTime, pc.timeText(regional));

    units::DateTime station(stationNow_.month, stationNow_.day, stationNow_.year);
    station.setTime(stationNow_.hour, stationNow_.minute);
    view.setText(kStationTime, station.timeText(regional));
    view.setText(kStationDate, station.shortDate(regional));
    view.setFocus(kTime);
}

void SetTimeDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    if (id == platform::IdOk)
        setClocks(view);
    else if (id == platform::IdCancel)
        end(view, platform::IdCancel);
}

void SetTimeDialog::setClocks(platform::DialogView& view)
{
    shell_.setBusyCursor();
    units::DateTime entered;
    if (entered.parseDate(view.text(kDate), shell_.regional()) != 0 ||
        entered.parseTime(view.text(kTime), shell_.regional()) != 0) {
        fail(view);
        return;
    }
    const StationTime time{
        static_cast<std::int16_t>(entered.year), static_cast<std::int16_t>(entered.month),
        static_cast<std::int16_t>(entered.day), static_cast<std::int16_t>(entered.hour),
        static_cast<std::int16_t>(entered.minute)};
    // Checked before either clock is touched: a date the parser took may still
    // be none (31 April).
    if (!isValidStationTime(time)) {
        fail(view);
        return;
    }
    if (view.checked(kSetPcTime))
        setPcClock(time);
    if (setStationTime(link_, time) < 0) {
        fail(view);
        return;
    }
    if (shell_.messageBox("", app::strings::kClearArchiveToo, platform::MessageButtons::YesNo,
                          platform::MessageIcon::Question,
                          app::BoxOwner::ActiveWindow) == platform::MessageResult::Yes) {
        shell_.setBusyCursor();
        if (clearArchiveMemory(link_) < 0) {
            messages_.report(std::string(app::strings::kArchiveClearError));
            fail(view);
            return;
        }
        messages_.report(std::string(app::strings::kArchiveCleared));
    }
    shell_.ui().restoreCursor();
    shell_.clearStatus();
    end(view, platform::IdOk);
}

void SetTimeDialog::setPcClock(const StationTime& time)
{
    const platform::WallTime wall{time.year, time.month, time.day, time.hour, time.minute, 0, 0, 0};
    if (const int error = pcClock_.setLocalTime(wall); error != 0)
        messages_.report(app::fillPattern(app::strings::kPcClockRefused, {std::strerror(error)}));
}

void SetTimeDialog::fail(platform::DialogView& view)
{
    messages_.report(std::string(app::strings::kStationCommError.text));
    shell_.ui().restoreCursor();
    end(view, platform::IdOk);
}

int runSetTimeDialog(app::SettingsDialogLauncher& launcher, app::Shell& shell,
                     StationSession& session, platform::ClockSetter& pcClock)
{
    const app::GateHold held = launcher.holdGate();
    shell.setBusyCursor();
    int result = platform::IdCancel;
    session.runOperation([&](StationLink& link) {
        StationTime now;
        if (readStationTime(link, now) < 0 || now.month < 1 || now.month > 12) {
            session.messages().report(std::string(app::strings::kStationCommError.text));
            return kNoAnswer;
        }
        shell.ui().restoreCursor();
        SetTimeDialog dialog(shell, pcClock, session.messages(), link, now);
        result = launcher.run(dialog);
        return kDone;
    });
    shell.ui().restoreCursor();
    return result;
}

} // namespace bv::station
