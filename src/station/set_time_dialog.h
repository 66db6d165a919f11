#pragma once

#include "app/base/dialog.h"
#include "station/station_messages.h"
#include "station/station_time.h"

namespace bv::app {
class SettingsDialogLauncher;
class Shell;
} // namespace bv::app

namespace bv::platform {
class ClockSetter;
} // namespace bv::platform

namespace bv::station {

class StationLink;
class StationSession;

// The Set Time dialog ("SETTIME", "Set Time & Date", help topic 20).
namespace set_time_dialog {
inline constexpr int kHelpTopic = 20;
inline constexpr int kDate = 1001;        // the new date, the PC's at opening
inline constexpr int kTime = 1038;        // the new time, the PC's at opening
inline constexpr int kSetPcTime = 1026;   // "Set the PC time also."
inline constexpr int kStationTime = 1082; // "Time on station now..."
inline constexpr int kStationDate = 1083;
inline constexpr int kHelpButton = 1212;
} // namespace set_time_dialog

// Shows the station's clock beside the PC's and sets the station (and on
// request the PC) to the date and time in the fields. "&Set" checks the date
// and time before either clock is touched; it then offers to clear the archive
// memory. Every outcome closes the dialog with OK, a failure after reporting
// "Station Communication Error. Check station settings." on the status line
// and in the event log. A PC clock that refuses to be set is reported the
// same way and the station is set all the same.
class SetTimeDialog final : public app::Dialog {
  public:
    SetTimeDialog(app::Shell& shell, platform::ClockSetter& pcClock, StationMessages messages,
                  StationLink& link, const StationTime& stationNow);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    void setClocks(platform::DialogView& view);
    void setPcClock(const StationTime& time);
    void fail(platform::DialogView& view);

    app::Shell& shell_;
    platform::ClockSetter& pcClock_;
    StationMessages messages_;
    StationLink& link_;
    StationTime stationNow_;
};

// Setup > Time: opens the station (dialing a remote one), reads its clock and,
// when the clock holds a month 1 to 12, runs the dialog with the automatic
// tasks held off; otherwise reports the communication error. The port is
// closed when the dialog ends. Returns the dialog's result, or IdCancel.
int runSetTimeDialog(app::SettingsDialogLauncher& launcher, app::Shell& shell,
                     StationSession& session, platform::ClockSetter& pcClock);

} // namespace bv::station
