#pragma once

#include <functional>

#include "app/base/config_record.h"
#include "app/base/dialog.h"
#include "station/station_detector.h"

namespace bv::app {
class SettingsDialogLauncher;
class Shell;
} // namespace bv::app

namespace bv::station {

// Runs AutoDetect, offering each station found: StationSession::detectStation
// in the program.
using DetectStation =
    std::function<std::optional<DetectedStation>(const StationDetector::Offer& accept)>;

// The Station Setup dialog ("SETUP_STATION", "Station Setup ").
namespace station_setup_dialog {
inline constexpr int kHelpTopic = 10;
inline constexpr int kPort = 1101;     // spin box, 1..127
inline constexpr int kBaud1200 = 1103; // radio buttons
inline constexpr int kBaud2400 = 1104;
inline constexpr int kModel = 1106;         // drop-down, in model-code order
inline constexpr int kRainCollector = 1108; // drop-down, rainCollector 0..3
inline constexpr int kViaModem = 1110;      // " Phone &Modem Connection"
inline constexpr int kRotaryDial = 1111;
inline constexpr int kPhone = 1113;
inline constexpr int kModemInit = 1115;
inline constexpr int kWaitSeconds = 1117;   // "After Connect Wait:", 0..127
inline constexpr int kDefaultButton = 1119; // "&Default"
inline constexpr int kAutoDetect = 1120;    // "&Auto Detect"
inline constexpr int kHelpButton = 1121;
inline constexpr int kMaxModemText = 48; // phone number and modem string
inline constexpr int kMaxWaitSeconds = 127;
} // namespace station_setup_dialog

// Port, baud rate, model, rain collector and the modem that reaches a remote
// station, with AutoDetect for a station wired to one of the first ten ports.
// OK checks the after-connect wait (0 to 127 when the modem is used) before
// anything is stored, so a refused OK followed by Cancel changes nothing.
class StationSetupDialog final : public app::Dialog {
  public:
    StationSetupDialog(app::Shell& shell, app::ConfigRecord& config, DetectStation detect);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    void showEnabledFields(platform::DialogView& view) const;
    void autoDetect(platform::DialogView& view);
    void confirm(platform::DialogView& view);

    app::Shell& shell_;
    app::ConfigRecord& config_;
    DetectStation detect_;
};

// Setup > Station: runs the dialog through the settings launcher, which saves
// the configuration with saveConfiguration unless the dialog was cancelled.
int runStationSetupDialog(app::SettingsDialogLauncher& launcher, app::Shell& shell,
                          app::ConfigRecord& config, DetectStation detect,
                          const std::function<void()>& saveConfiguration);

} // namespace bv::station
