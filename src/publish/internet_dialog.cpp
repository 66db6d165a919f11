#include "publish/internet_dialog.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "app/base/settings_dialog_launcher.h"
#include "app/base/shell.h"
#include "app/base/strings_publish.h"
#include "app/base/template_builder.h"
#include "publish/settings_commit.h"

namespace bv::publish {

using platform::ControlKind;
using platform::MessageResult;
using namespace internet_dialog;
namespace strings = app::strings;

namespace {

constexpr int kFtpGroup = 1401;
constexpr int kIntervalGroup = 1402;
constexpr int kConnectionGroup = 1403;
constexpr int kLocalGroup = 1404;
constexpr int kHostLabel = 1405;
constexpr int kPortLabel = 1406;
constexpr int kUserLabel = 1407;
constexpr int kPasswordLabel = 1408;
constexpr int kRemotePathLabel = 1409;
constexpr int kHoursLabel = 1410;
constexpr int kMinutesLabel = 1411;
constexpr int kSecondsLabel = 1412;
constexpr int kPhonebookLabel = 1413;
constexpr int kDialUserLabel = 1414;
constexpr int kDialPasswordLabel = 1415;
constexpr int kPathLabel = 1416;
constexpr int kDialingGroup = 1417;

constexpr int kTextMaxLength = 99;
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;
// An upload interval this short keeps a dial-up line busy all the time.
constexpr int kShortIntervalSec = 60;
constexpr int kMaxAttempts = 10;
constexpr int kMaxRetryWaitSec = 60;
// Dial attempts and retry wait when none is stored or the spin gives nonsense.
constexpr int kDefaultDialSetting = 5;
constexpr int kMaxPort = 65535;
// The port the checks ask about: a mistyped digit rather than a real server.
constexpr int kSuspectPort = 1;

platform::DialogTemplate internetTemplate()
{
    app::TemplateBuilder b("SETUP_FTP", "Internet Configuration", kHelpTopic);
    b.add(kFtpGroup, ControlKind::GroupBox, "FTP Server", 0).columnSpan = 2;
    b.add(kHostLabel, ControlKind::StaticText, "Host :", 0, 0, kFtpGroup);
    b.add(kHost, ControlKind::Edit, "", 0, 1, kFtpGroup).maxLength = kTextMaxLength;
    b.add(kPortLabel, ControlKind::StaticText, "Port :", 0, 2, kFtpGroup);
    b.add(kPort, ControlKind::NumberEdit, "", 0, 3, kFtpGroup).widthChars = 6;
    b.add(kUserLabel, ControlKind::StaticText, "User Name :", 1, 0, kFtpGroup);
    b.add(kFtpUser, ControlKind::Edit, "", 1, 1, kFtpGroup).maxLength = kTextMaxLength;
    b.add(kPasswordLabel, ControlKind::StaticText, "Password :", 1, 2, kFtpGroup);
    b.add(kFtpPassword, ControlKind::PasswordEdit, "", 1, 3, kFtpGroup).maxLength = kTextMaxLength;
    b.add(kRemotePathLabel, ControlKind::StaticText, "Remote Server Path :", 2, 0, kFtpGroup);
    b.add(kRemotePath, ControlKind::Edit, "", 2, 1, kFtpGroup).columnSpan = 3;

    b.add(kIntervalGroup, ControlKind::GroupBox, "Upload Interval", 1);
    const std::pair<int, int> interval[] = {
        {kHoursLabel, kHours}, {kMinutesLabel, kMinutes}, {kSecondsLabel, kSeconds}};
    const char* const intervalLabels[] = {"Hr:", "Min:", "Sec:"};
    for (int i = 0; i < 3; ++i) {
        b.add(interval[i].first, ControlKind::StaticText, intervalLabels[i], 0, 2 * i,
              kIntervalGroup);
        b.add(interval[i].second, ControlKind::NumberEdit, "", 0, 2 * i + 1, kIntervalGroup)
            .widthChars = 4;
    }
    b.add(kDayRangeButton, ControlKind::PushButton, "Day &Range", 1, 1);

    b.add(kConnectionGroup, ControlKind::GroupBox, "Internet Connection", 2).columnSpan = 2;
    b.add(kLocalServer, ControlKind::RadioButton, "Connect through a local server", 0, 0,
          kConnectionGroup)
        .columnSpan = 2;
    b.add(kDialUp, ControlKind::RadioButton, "Connect through a Dialup Connection", 1, 0,
          kConnectionGroup)
        .columnSpan = 2;
    b.add(kPhonebookLabel, ControlKind::StaticText, "Select a Dialup Connection", 2, 0,
          kConnectionGroup);
    b.add(kPhonebook, ControlKind::ListBox, "", 3, 0, kConnectionGroup).rowSpan = 3;
    b.add(kDialUserLabel, ControlKind::StaticText, "User Name:", 2, 1, kConnectionGroup);
    b.add(kDialUser, ControlKind::Edit, "", 3, 1, kConnectionGroup);
    b.add(kDialPasswordLabel, ControlKind::StaticText, "Password:", 4, 1, kConnectionGroup);
    b.add(kDialPassword, ControlKind::PasswordEdit, "", 5, 1, kConnectionGroup);
    // Radio buttons group by parent, so staying connected has a group of its own.
    b.add(kDialingGroup, ControlKind::GroupBox, "Dialing", 3).columnSpan = 2;
    b.add(kStayConnected, ControlKind::RadioButton, "Stay Connected all the Time", 0, 0,
          kDialingGroup);
    b.add(kConnectDuringTransfer, ControlKind::RadioButton, "Only Connect during Transfer", 0, 1,
          kDialingGroup);
    b.add(kAttemptsLabel, ControlKind::StaticText, "Number of times to attempt to connect", 1, 0,
          kDialingGroup);
    platform::ControlSpec& attempts =
        b.add(kAttemptsSpin, ControlKind::SpinBox, "", 1, 1, kDialingGroup);
    attempts.minimum = 1;
    attempts.maximum = kMaxAttempts;
    b.add(kRetryWaitLabel, ControlKind::StaticText, "Seconds to wait between connection attempts",
          2, 0, kDialingGroup);
    platform::ControlSpec& wait =
        b.add(kRetryWaitSpin, ControlKind::SpinBox, "", 2, 1, kDialingGroup);
    wait.minimum = 1;
    wait.maximum = kMaxRetryWaitSec;

    b.add(kInternetTransfer, ControlKind::CheckBox, "Enable Transfer via Internet Connection", 4)
        .columnSpan = 2;
    b.add(kLocalGroup, ControlKind::GroupBox, "Local Drive", 5).columnSpan = 2;
    b.add(kLocalTransfer, ControlKind::CheckBox, "Enable Transfer to the local drive", 0, 0,
          kLocalGroup)
        .columnSpan = 3;
    b.add(kPathLabel, ControlKind::StaticText, "&Path", 1, 0, kLocalGroup);
    b.add(kLocalPath, ControlKind::Edit, "", 1, 1, kLocalGroup).maxLength = kTextMaxLength;
    b.add(kBrowse, ControlKind::PushButton, "&Browse...", 1, 2, kLocalGroup);

    b.button(platform::IdOk, "&OK", 0).isDefault = true;
    b.button(platform::IdCancel, "&Cancel", 1);
    b.button(kHelpButton, "&Help", 2);
    return b.take();
}

// The number typed in an edit; an empty or unreadable text counts as 0.
int numberIn(const platform::DialogView& view, int id)
{
    const std::string text = view.text(id);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() ? value : 0;
}

// A spin's value, or the default when it lies outside the spin's range.
std::int8_t spinValue(const platform::DialogView& view, int id, int maximum)
{
    const int value = view.value(id);
    return static_cast<std::int8_t>(value >= 1 && value <= maximum ? value : kDefaultDialSetting);
}

void enableDialUpControls(platform::DialogView& view, bool on)
{
    for (int id : kDialUpControls)
        view.setEnabled(id, on);
}

// A directory path ending in the separator, so a file name can follow it.
std::string withFinalSeparator(std::string path)
{
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

} // namespace

InternetDialog::InternetDialog(app::Shell& shell, app::ConfigRecord& config,
                               InternetDialogServices services)
    : Dialog(internetTemplate(), kHelpButton), shell_(shell), config_(config), draft_(config),
      services_(std::move(services))
{
}

void InternetDialog::handleOpen(platform::DialogView& view)
{
    if (!services_.dialUpAvailable) {
        draft_.localServerConnection = true;
        view.setEnabled(kDialUp, false);
    } else {
        view.setItems(kPhonebook, services_.phonebookEntries);
        for (std::size_t i = 0; i < services_.phonebookEntries.size(); ++i)
            if (services_.phonebookEntries[i] == draft_.dialupEntry)
                view.setCurrentIndex(kPhonebook, static_cast<int>(i));
    }
    view.setText(kHost, draft_.ftpHost);
    view.setText(kPort, std::to_string(draft_.ftpPort));
    view.setText(kFtpUser, draft_.ftpUser);
    view.setText(kFtpPassword, draft_.ftpPassword);
    view.setText(kRemotePath, draft_.ftpRemotePath);
    view.setText(kDialUser, draft_.dialupUser);
    view.setText(kDialPassword, draft_.dialupPassword);
    view.setText(kLocalPath, draft_.localTransferPath);

    const bool local = static_cast<bool>(draft_.localServerConnection);
    view.setChecked(local ? kLocalServer : kDialUp, true);
    enableDialUpControls(view, !local);
    view.setChecked(draft_.stayConnected ? kStayConnected : kConnectDuringTransfer, true);
    view.setChecked(kInternetTransfer, static_cast<bool>(draft_.internetTransferEnabled));
    view.setChecked(kLocalTransfer, static_cast<bool>(draft_.localTransferEnabled));

    const std::int32_t interval = draft_.transferIntervalSec;
    view.setText(kHours, std::to_string(interval / kSecondsPerHour));
    view.setText(kMinutes, std::to_string(interval % kSecondsPerHour / kSecondsPerMinute));
    view.setText(kSeconds, std::to_string(interval % kSecondsPerMinute));

    if (draft_.dialAttempts <= 0)
        draft_.dialAttempts = kDefaultDialSetting;
    if (draft_.dialRetryWaitSec <= 0)
        draft_.dialRetryWaitSec = kDefaultDialSetting;
    view.setRange(kAttemptsSpin, 1, kMaxAttempts);
    view.setValue(kAttemptsSpin, draft_.dialAttempts);
    view.setRange(kRetryWaitSpin, 1, kMaxRetryWaitSec);
    view.setValue(kRetryWaitSpin, draft_.dialRetryWaitSec);
    view.setFocus(kHost);
}

void InternetDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    switch (id) {
    case kLocalServer:
        enableDialUpControls(view, false);
        break;
    case kDialUp:
        enableDialUpControls(view, true);
        break;
    case kBrowse:
        browse(view);
        break;
    case kDayRangeButton:
        if (services_.runRange)
            services_.runRange(draft_.transferRange);
        break;
    case platform::IdOk:
        confirm(view);
        break;
    case platform::IdCancel:
        end(view, platform::IdCancel);
        break;
    default:
        break;
    }
}

void InternetDialog::browse(platform::DialogView& view)
{
    const std::string directory = shell_.ui().chooseDirectory(
        std::string(strings::kSelectDirectoryTitle), view.text(kLocalPath));
    if (!directory.empty())
        view.setText(kLocalPath, withFinalSeparator(directory));
}

void InternetDialog::confirm(platform::DialogView& view)
{
    storeTexts(view);
    if (!storeInterval(view))
        return;
    storeDialing(view);
    if (!checkConnection(view) || !checkFtp(view) || !checkLocalPath(view))
        return;
    if (commitSettings(shell_, config_, draft_, services_.save))
        end(view, platform::IdOk);
}

void InternetDialog::storeTexts(const platform::DialogView& view)
{
    draft_.ftpHost = view.text(kHost);
    const int port = numberIn(view, kPort);
    portInvalid_ = port < 1 || port > kMaxPort;
    if (!portInvalid_)
        draft_.ftpPort = static_cast<std::uint16_t>(port);
    draft_.ftpUser = view.text(kFtpUser);
    draft_.ftpPassword = view.text(kFtpPassword);
    draft_.dialupUser = view.text(kDialUser);
    draft_.dialupPassword = view.text(kDialPassword);
    draft_.ftpRemotePath = view.text(kRemotePath);
    draft_.stayConnected = view.checked(kStayConnected);
    draft_.internetTransferEnabled = view.checked(kInternetTransfer);
    draft_.localTransferEnabled = view.checked(kLocalTransfer);
    // An empty path stays empty: with a separator it would name the root
    // directory, and the check below refuses it while local transfer is on.
    draft_.localTransferPath = withFinalSeparator(view.text(kLocalPath));
}

bool InternetDialog::storeInterval(const platform::DialogView& view)
{
    const long long seconds = static_cast<long long>(numberIn(view, kHours)) * kSecondsPerHour +
                              static_cast<long long>(numberIn(view, kMinutes)) * kSecondsPerMinute +
                              numberIn(view, kSeconds);
    draft_.transferIntervalSec = static_cast<std::int32_t>(
        std::min<long long>(seconds, std::numeric_limits<std::int32_t>::max()));
    if (draft_.transferIntervalSec > kShortIntervalSec || draft_.stayConnected ||
        !draft_.internetTransferEnabled)
        return true;
    return shell_.messageBox("", strings::kUploadIntervalTooShort.text,
                             platform::MessageButtons::YesNo, platform::MessageIcon::Question,
                             app::BoxOwner::ActiveWindow) != MessageResult::Yes;
}

void InternetDialog::storeDialing(const platform::DialogView& view)
{
    draft_.dialAttempts = spinValue(view, kAttemptsSpin, kMaxAttempts);
    draft_.dialRetryWaitSec = spinValue(view, kRetryWaitSpin, kMaxRetryWaitSec);
    const int entry = view.currentIndex(kPhonebook);
    const std::vector<std::string> entries = view.items(kPhonebook);
    if (entry >= 0 && entry < static_cast<int>(entries.size()))
        draft_.dialupEntry = entries[static_cast<std::size_t>(entry)];
}

bool InternetDialog::confirmOrFocus(platform::DialogView& view, std::string_view question,
                                    int control)
{
    if (shell_.messageBox("", question, platform::MessageButtons::YesNo,
                          platform::MessageIcon::Question,
                          app::BoxOwner::ActiveWindow) == MessageResult::Yes)
        return true;
    view.setFocus(control);
    return false;
}

bool InternetDialog::checkConnection(platform::DialogView& view)
{
    if (view.checked(kLocalServer) || !services_.dialUpAvailable) {
        draft_.localServerConnection = true;
        return true;
    }
    if (view.currentIndex(kPhonebook) < 0) {
        shell_.errorBox(strings::kInvalidDialupConnection.text, app::BoxOwner::ActiveWindow);
        return false;
    }
    if ((draft_.dialupUser.empty() || draft_.dialupPassword.empty()) &&
        !confirmOrFocus(view, strings::kInvalidDialupLogin.text, kDialUser))
        return false;
    draft_.localServerConnection = false;
    return true;
}

bool InternetDialog::checkFtp(platform::DialogView& view)
{
    if (!draft_.internetTransferEnabled)
        return true;
    if (draft_.ftpHost.empty() && !confirmOrFocus(view, strings::kInvalidFtpHost.text, kHost))
        return false;
    if (draft_.ftpUser.empty() && !confirmOrFocus(view, strings::kInvalidFtpUser.text, kFtpUser))
        return false;
    if (draft_.ftpPassword.empty() &&
        !confirmOrFocus(view, strings::kInvalidFtpPassword.text, kFtpPassword))
        return false;
    if ((portInvalid_ || draft_.ftpPort == kSuspectPort) &&
        !confirmOrFocus(view, strings::kInvalidFtpPort.text, kPort))
        return false;
    return true;
}

bool InternetDialog::checkLocalPath(platform::DialogView& view)
{
    // "Full directory path" here means absolute: "/" starts every one.
    if (!draft_.localTransferEnabled || draft_.localTransferPath.starts_with('/'))
        return true;
    shell_.errorBox(strings::kInvalidLocalPath.text, app::BoxOwner::ActiveWindow);
    view.setFocus(kLocalPath);
    return false;
}

int runInternetDialog(app::SettingsDialogLauncher& launcher, app::Shell& shell,
                      app::ConfigRecord& config, InternetDialogServices services)
{
    InternetDialog dialog(shell, config, std::move(services));
    return launcher.run(dialog);
}

} // namespace bv::publish
