#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/base/config_record.h"
#include "app/base/dialog.h"
#include "app/base/shell.h"

namespace bv::paging {

// Pager Setup ("SETUP_PAGER"): the entries of "pager.dat", the paging modem
// (port, initialisation string, AutoDetect), Page on Alarm and Page Current
// Weather with their intervals and ranges, the re-enable time, and the ways
// to the Pager Alarms, Current Weather Parameters and Setup Pager Entry
// dialogs. OK and Send Page Now store the settings and write "pager.dat";
// Send Page Now then needs one of the two paging switches on and ends the
// dialog with sendPageNow() set.
namespace pager_setup_dialog {
inline constexpr int kEntries = 1300;
inline constexpr int kAddEntry = 1301;
inline constexpr int kEditEntry = 1302;
inline constexpr int kDeleteEntry = 1303;
inline constexpr int kComPort = 1304;
inline constexpr int kAutoDetect = 1305;
inline constexpr int kModemInit = 1306;
inline constexpr int kDefaultInit = 1307;
inline constexpr int kPageOnAlarm = 1308;
inline constexpr int kPageWeather = 1309;
inline constexpr int kAlarmHours = 1310;
inline constexpr int kAlarmMinutes = 1311;
inline constexpr int kWeatherHours = 1312;
inline constexpr int kWeatherMinutes = 1313;
inline constexpr int kRearmHours = 1314;
inline constexpr int kRearmMinutes = 1315;
inline constexpr int kAlarmRange = 1316;
inline constexpr int kWeatherRange = 1317;
inline constexpr int kAlarms = 1318;
inline constexpr int kWeatherItems = 1319;
inline constexpr int kSendPageNow = 1320;
} // namespace pager_setup_dialog

// What the dialog reaches beyond itself: the shell's Range dialog and the
// modem AutoDetect (the port taken, 0 for none).
struct PagerSetupServices {
    std::function<int(app::DayRange&)> editRange;
    std::function<int()> detectModem;
};

class PagerSetupDialog final : public app::Dialog {
  public:
    PagerSetupDialog(app::ConfigRecord& config, app::Shell& shell, std::filesystem::path stationDir,
                     PagerSetupServices services);

    // The dialog ended by Send Page Now: a run with selector 3 is due.
    bool sendPageNow() const { return sendPageNow_; }

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    void showEntries(platform::DialogView& view);
    void editEntry(platform::DialogView& view, int index);
    void deleteEntry(platform::DialogView& view);
    int selectedEntry(platform::DialogView& view);
    void store(const platform::DialogView& view);

    app::ConfigRecord& config_;
    app::Shell& shell_;
    std::filesystem::path stationDir_;
    PagerSetupServices services_;
    std::vector<std::string> lines_; // the full lines of "pager.dat", as the list shows them
    // The day ranges as the Range dialog leaves them; stored on OK.
    app::DayRange alarmRange_;
    app::DayRange weatherRange_;
    bool sendPageNow_ = false;
};

} // namespace bv::paging
