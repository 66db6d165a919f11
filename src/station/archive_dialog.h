#pragma once

#include "app/base/config_record.h"
#include "app/base/dialog.h"

namespace bv::app {
class SettingsDialogLauncher;
class Shell;
} // namespace bv::app

namespace bv::station {

class StationLink;
class StationSession;

// The Archive dialog ("SETUP_ARCHIVE", "Archive "): the station's archive
// interval and the archive download settings.
namespace archive_dialog {
inline constexpr int kHelpTopic = 30;
// One radio button per archive interval, in the order of archiveIntervals().
inline constexpr int kIntervalButtons[] = {1301, 1302, 1303, 1304, 1305, 1306, 1307};
inline constexpr int kEnableDownload = 1310;
inline constexpr int kClearAfterDownload = 1311;
inline constexpr int kOverwrite = 1312; // radio buttons: archiveOverwrite 1 / 0
inline constexpr int kAppend = 1313;
inline constexpr int kBeforeUpload = 1314;
inline constexpr int kHours = 1315;
inline constexpr int kMinutes = 1316;
inline constexpr int kFileName = 1317;
inline constexpr int kHelpButton = 1318;
inline constexpr int kMaxFileName = 49;
inline constexpr int kShortestAdvisedInterval = 10; // minutes
} // namespace archive_dialog

// Runs while the station's port is open, with the archive period read from it.
// OK asks about an empty file name and a download interval under 10 minutes,
// then, when another archive interval was chosen, warns that the archive memory
// will be cleared and sets it. The configuration receives the fields only when
// the dialog closes with OK; a question answered by going back changes nothing.
class ArchiveDialog final : public app::Dialog {
  public:
    ArchiveDialog(app::Shell& shell, app::ConfigRecord& config, StationLink& link,
                  int stationPeriod);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    void showInterval(platform::DialogView& view) const;
    int chosenInterval(const platform::DialogView& view) const;
    void confirm(platform::DialogView& view);
    void store(const platform::DialogView& view);

    app::Shell& shell_;
    app::ConfigRecord& config_;
    StationLink& link_;
    int stationPeriod_;
};

// Setup > Archive: opens the station (dialing a remote one), reads its archive
// period and runs the dialog with the automatic tasks held off; a period that
// cannot be read puts "Station Communication Error. Check station settings."
// on the status line instead. The port is closed when the dialog ends. The
// configuration is not saved here (the program saves it when it ends).
// Returns the dialog's result, or IdCancel.
int runArchiveDialog(app::SettingsDialogLauncher& launcher, app::Shell& shell,
                     app::ConfigRecord& config, StationSession& session);

} // namespace bv::station
