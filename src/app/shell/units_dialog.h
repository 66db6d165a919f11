#pragma once

#include <functional>

#include "app/base/config_record.h"
#include "app/base/dialog.h"
#include "station/station_session.h"

namespace bv::app {

class SettingsDialogLauncher;

// The Units dialog ("SETUP_UNITS", "Choose Units", help topic 40): one radio
// button per unit in four groups.
namespace units_dialog {
inline constexpr int kHelpTopic = 40;
inline constexpr int kHelpButton = 1212;
// By unit code: tempUnit 0..1, baroUnit 0..3, rainUnit 0..1, windUnit 0..3.
inline constexpr int kTemperatureButtons[] = {1213, 1214};
inline constexpr int kBarometerButtons[] = {1215, 1216, 1217, 1218};
inline constexpr int kRainButtons[] = {1036, 1037};
inline constexpr int kWindButtons[] = {1038, 1039, 1040, 1041};
} // namespace units_dialog

// Shows the four unit codes of the configuration. OK stores them:
// temperature and rain are 0 when their first button ("°F", "in") is checked
// and 1 otherwise; barometer and wind are the position of the checked button
// in their group, unchanged when none is. The station session's engines
// convert readings to the new units at once; no station command is sent.
class UnitsDialog final : public Dialog {
  public:
    UnitsDialog(ConfigRecord& config, station::StationSession& station);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    void store(const platform::DialogView& view);

    ConfigRecord& config_;
    station::StationSession& station_;
};

// Setup > Units: runs the dialog through the settings launcher, which saves
// the configuration with saveConfiguration unless the dialog was cancelled.
int runUnitsDialog(SettingsDialogLauncher& launcher, ConfigRecord& config,
                   station::StationSession& station,
                   const std::function<void()>& saveConfiguration);

} // namespace bv::app
