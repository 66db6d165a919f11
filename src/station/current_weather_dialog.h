#pragma once

#include "app/base/dialog.h"
#include "station/station_settings.h"

namespace bv::app {
class SettingsDialogLauncher;
class Shell;
} // namespace bv::app

namespace bv::station {

class StationSession;

// "Current Weather" ("CURRENTWEATHER", help topic 110): the station's current
// values, read over the station link the dialog holds open while it is
// shown. Refresh reads them again; a read the station does not answer closes
// the dialog after "Station Communication Error. Check station settings.".
namespace current_weather {
inline constexpr int kHelpTopic = 110;
inline constexpr int kRefresh = 1015;
inline constexpr int kHelpButton = 3;
inline constexpr int kInsideTemp = 1193; // Tirrel family: soil temperature
inline constexpr int kOutsideTemp = 1194;
inline constexpr int kInsideHum = 1195; // Tirrel family: the day's ET
inline constexpr int kOutsideHum = 1196;
inline constexpr int kBarometer = 1197;
inline constexpr int kWindSpeed = 1198;
inline constexpr int kWindDir = 1199;
inline constexpr int kTotalRain = 1200;
inline constexpr int kDewPoint = 1201;
inline constexpr int kWindChill = 1202;
inline constexpr int kThi = 1203;
} // namespace current_weather

class CurrentWeatherDialog final : public app::Dialog {
  public:
    CurrentWeatherDialog(app::Shell& shell, StationSession& session);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    // False when the station did not answer (the dialog has then ended).
    bool refresh(platform::DialogView& view);
    void fill(platform::DialogView& view);

    app::Shell& shell_;
    StationSession& session_;
};

// Opens the station link (dialing a remote station), runs the dialog with
// automatic work held off, and closes the link.
int runCurrentWeatherDialog(app::SettingsDialogLauncher& launcher, app::Shell& shell,
                            StationSession& session);

} // namespace bv::station
