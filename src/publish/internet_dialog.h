#pragma once

#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "app/base/config_record.h"
#include "app/base/dialog.h"

namespace bv::app {
class Shell;
class SettingsDialogLauncher;
} // namespace bv::app

namespace bv::publish {

// The Internet Configuration dialog ("SETUP_FTP", help topic 100).
namespace internet_dialog {
inline constexpr int kHelpTopic = 100;
inline constexpr int kHelpButton = 4;
inline constexpr int kDayRangeButton = 3;
inline constexpr int kHost = 1005;
inline constexpr int kPort = 1006;
inline constexpr int kFtpUser = 1007;
inline constexpr int kFtpPassword = 1008;
inline constexpr int kRemotePath = 1009;
inline constexpr int kHours = 1028;
inline constexpr int kMinutes = 1027;
inline constexpr int kSeconds = 1011;
inline constexpr int kLocalServer = 1016;
inline constexpr int kDialUp = 1017;
inline constexpr int kPhonebook = 1010;
inline constexpr int kDialUser = 1012;
inline constexpr int kDialPassword = 1013;
inline constexpr int kStayConnected = 1024;
inline constexpr int kConnectDuringTransfer = 1025;
inline constexpr int kAttemptsSpin = 1221;
inline constexpr int kAttemptsLabel = 1222;
inline constexpr int kRetryWaitLabel = 1223;
inline constexpr int kRetryWaitSpin = 1224;
inline constexpr int kInternetTransfer = 1026;
inline constexpr int kLocalTransfer = 1030;
inline constexpr int kLocalPath = 1031;
inline constexpr int kBrowse = 1015;
// Enabled only with "Connect through a Dialup Connection".
inline constexpr int kDialUpControls[] = {
    kPhonebook,    kDialUser,      kDialPassword,   kStayConnected, kConnectDuringTransfer,
    kAttemptsSpin, kAttemptsLabel, kRetryWaitLabel, kRetryWaitSpin};
} // namespace internet_dialog

// What the dialog needs besides the configuration.
struct InternetDialogServices {
    // False in `hollit1`: the dialog then always connects through a local server.
    bool dialUpAvailable = true;
    // The dial-up phonebook entries (the peers pppd can call).
    std::vector<std::string> phonebookEntries;
    // Runs the Range dialog on a day range; 1 for OK, 2 when cancelled.
    std::function<int(app::DayRange&)> runRange;
    // Saves the configuration as it now stands ("config.dat").
    std::function<std::error_code()> save;
};

// Where to and when: FTP server, upload interval, Internet connection,
// local-drive target.
//
// The dialog edits a copy of the configuration. OK runs the checks in their
// order, each of which may send the user back; only when all pass is the copy
// put in place and saved. A save that fails is reported, the configuration
// goes back to what it was and the dialog stays open; Cancel keeps nothing,
// the day range included.
class InternetDialog final : public app::Dialog {
  public:
    InternetDialog(app::Shell& shell, app::ConfigRecord& config, InternetDialogServices services);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    void confirm(platform::DialogView& view);
    // Steps of OK; false sends the user back to the dialog.
    void storeTexts(const platform::DialogView& view);
    bool storeInterval(const platform::DialogView& view);
    void storeDialing(const platform::DialogView& view);
    bool checkConnection(platform::DialogView& view);
    bool checkFtp(platform::DialogView& view);
    bool checkLocalPath(platform::DialogView& view);
    // A Yes/No question; anything but Yes focuses control and returns false.
    bool confirmOrFocus(platform::DialogView& view, std::string_view question, int control);
    void browse(platform::DialogView& view);

    app::Shell& shell_;
    app::ConfigRecord& config_;
    app::ConfigRecord draft_;
    InternetDialogServices services_;
    bool portInvalid_ = false;
};

// Setup > Internet: runs the dialog with the automatic-task gate closed.
int runInternetDialog(app::SettingsDialogLauncher& launcher, app::Shell& shell,
                      app::ConfigRecord& config, InternetDialogServices services);

} // namespace bv::publish
