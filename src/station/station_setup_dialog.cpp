#include "station/station_setup_dialog.h"

#include <charconv>
#include <string>

#include "app/base/settings_dialog_launcher.h"
#include "app/base/shell.h"
#include "app/base/strings_shell.h"
#include "app/base/strings_station.h"
#include "app/base/template_builder.h"
#include "station/station_detector.h"
#include "station/station_models.h"

namespace bv::station {

using platform::ControlKind;
using namespace station_setup_dialog;

namespace {

constexpr int kPortLabel = 1100;
constexpr int kBaudGroup = 1102;
constexpr int kModelLabel = 1105;
constexpr int kRainLabel = 1107;
constexpr int kModemGroup = 1109;
constexpr int kPhoneLabel = 1112;
constexpr int kModemInitLabel = 1114;
constexpr int kWaitLabel = 1116;
constexpr int kSecondsLabel = 1118;
constexpr int kHighestPort = 127; // config.dat keeps the port in one signed byte
constexpr int kSlowBaud = 1200;
constexpr int kFastBaud = 2400;
constexpr int kModemTextWidth = 30;
constexpr int kWaitWidth = 5;

constexpr const char* kRainCollectors[] = {"None", ".1 in", ".01 in", ",2 mm"};
constexpr int kModemFields[] = {kRotaryDial,     kPhoneLabel,   kPhone,
                                kModemInitLabel, kModemInit,    kWaitLabel,
                                kWaitSeconds,    kSecondsLabel, kDefaultButton};

platform::DialogTemplate stationTemplate()
{
    app::TemplateBuilder b("SETUP_STATION", "Station Setup ", kHelpTopic);
    b.add(kPortLabel, ControlKind::StaticText, "Com Port:", 0, 0);
    platform::ControlSpec& port = b.add(kPort, ControlKind::SpinBox, "", 0, 1);
    port.minimum = 1;
    port.maximum = kHighestPort;
    b.add(kBaudGroup, ControlKind::GroupBox, "Baud Rate", 0, 2).rowSpan = 2;
    b.add(kBaud1200, ControlKind::RadioButton, "1200", 0, 0, kBaudGroup);
    b.add(kBaud2400, ControlKind::RadioButton, "2400", 1, 0, kBaudGroup);
    b.add(kModelLabel, ControlKind::StaticText, "Station Model:", 1, 0);
    b.add(kModel, ControlKind::DropDownList, "", 1, 1);
    b.add(kRainLabel, ControlKind::StaticText, "Rain Collector:", 2, 0);
    b.add(kRainCollector, ControlKind::DropDownList, "", 2, 1);

    b.add(kViaModem, ControlKind::CheckBox, " Phone &Modem Connection", 3, 0).columnSpan = 3;
    b.add(kModemGroup, ControlKind::GroupBox, "", 4, 0).columnSpan = 3;
    b.add(kRotaryDial, ControlKind::CheckBox, "Rotary Dial", 0, 0, kModemGroup);
    b.add(kPhoneLabel, ControlKind::StaticText, "Station Phone Number:", 1, 0, kModemGroup);
    b.add(kModemInitLabel, ControlKind::StaticText, "Modem String:", 2, 0, kModemGroup);
    for (int id : {kPhone, kModemInit}) {
        platform::ControlSpec& edit =
            b.add(id, ControlKind::Edit, "", id == kPhone ? 1 : 2, 1, kModemGroup);
        edit.columnSpan = 2;
        edit.maxLength = kMaxModemText;
        edit.widthChars = kModemTextWidth;
    }
    b.add(kDefaultButton, ControlKind::PushButton, "&Default", 2, 3, kModemGroup);
    b.add(kWaitLabel, ControlKind::StaticText, "After Connect Wait:", 3, 0, kModemGroup);
    platform::ControlSpec& wait =
        b.add(kWaitSeconds, ControlKind::NumberEdit, "", 3, 1, kModemGroup);
    wait.maxLength = 3;
    wait.widthChars = kWaitWidth;
    b.add(kSecondsLabel, ControlKind::StaticText, "seconds", 3, 2, kModemGroup);

    b.button(platform::IdOk, "OK", 0).isDefault = true;
    b.button(platform::IdCancel, "Cancel", 1);
    b.button(kAutoDetect, "&Auto Detect", 2);
    b.button(kHelpButton, "&Help", 3);
    return b.take();
}

std::vector<std::string> modelNames()
{
    std::vector<std::string> names;
    for (const StationModel& model : stationModels())
        names.emplace_back(model.name);
    return names;
}

// The whole text as a number, or nothing.
std::optional<int> numberIn(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end)
        return std::nullopt;
    return value;
}

} // namespace

StationSetupDialog::StationSetupDialog(app::Shell& shell, app::ConfigRecord& config,
                                       DetectStation detect)
    : Dialog(stationTemplate(), kHelpButton), shell_(shell), config_(config),
      detect_(std::move(detect))
{
}

void StationSetupDialog::handleOpen(platform::DialogView& view)
{
    view.setValue(kPort, config_.stationComPort);
    view.setChecked(config_.stationBaud == kSlowBaud ? kBaud1200 : kBaud2400, true);
    view.setItems(kModel, modelNames());
    if (findStationModel(config_.stationModel) != nullptr)
        view.setCurrentIndex(kModel, config_.stationModel);
    view.setItems(kRainCollector, {std::begin(kRainCollectors), std::end(kRainCollectors)});
    if (config_.rainCollector >= 0 && config_.rainCollector < 4)
        view.setCurrentIndex(kRainCollector, config_.rainCollector);
    view.setChecked(kViaModem, static_cast<bool>(config_.stationViaModem));
    view.setChecked(kRotaryDial, static_cast<bool>(config_.rotaryDial));
    view.setText(kPhone, config_.stationPhone);
    view.setText(kModemInit, config_.stationModemInit);
    view.setText(kWaitSeconds, std::to_string(config_.afterConnectWaitSec));
    showEnabledFields(view);
    view.setFocus(kPort);
}

void StationSetupDialog::showEnabledFields(platform::DialogView& view) const
{
    const StationModel* model = findStationModel(view.currentIndex(kModel));
    view.setEnabled(kRainCollector, model == nullptr || model->rainCollector);
    const bool viaModem = view.checked(kViaModem);
    for (int id : kModemFields)
        view.setEnabled(id, viaModem);
}

void StationSetupDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    switch (id) {
    case kModel:
    case kViaModem:
        showEnabledFields(view);
        break;
    case kDefaultButton:
        view.setText(kModemInit, std::string(app::strings::kDefaultModemInit));
        break;
    case kAutoDetect:
        autoDetect(view);
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

void StationSetupDialog::autoDetect(platform::DialogView& view)
{
    if (view.checked(kViaModem)) {
        shell_.errorBox(app::strings::kAutoDetectDirectOnly, app::BoxOwner::ActiveWindow);
        return;
    }
    if (shell_.confirmBox(app::strings::kAutoDetectConfirm, platform::MessageButtons::YesNo,
                          app::BoxOwner::ActiveWindow) != platform::MessageResult::Yes)
        return;
    shell_.setBusyCursor();
    const std::optional<DetectedStation> found = detect_([this](const DetectedStation& station) {
        return shell_.messageBox(app::strings::kSelectStationCaption, stationFoundText(station),
                                 platform::MessageButtons::YesNo, platform::MessageIcon::Question,
                                 app::BoxOwner::ActiveWindow) == platform::MessageResult::Yes;
    });
    shell_.ui().restoreCursor();
    if (!found) {
        shell_.messageBox(app::strings::kAutoDetectCaption, app::strings::kNoMoreStations,
                          platform::MessageButtons::Ok, platform::MessageIcon::Information,
                          app::BoxOwner::ActiveWindow);
        return;
    }
    view.setValue(kPort, found->port);
    view.setChecked(found->baud == kSlowBaud ? kBaud1200 : kBaud2400, true);
    view.setCurrentIndex(kModel, found->model->code);
    showEnabledFields(view);
}

void StationSetupDialog::confirm(platform::DialogView& view)
{
    const bool viaModem = view.checked(kViaModem);
    const std::optional<int> wait = numberIn(view.text(kWaitSeconds));
    const bool waitInRange = wait && *wait >= 0 && *wait <= kMaxWaitSeconds;
    if (viaModem && !waitInRange) {
        shell_.errorBox(app::strings::kWaitTimeOutOfRange, app::BoxOwner::ActiveWindow);
        view.setFocus(kWaitSeconds);
        return;
    }
    config_.stationComPort = static_cast<std::int8_t>(view.value(kPort));
    config_.stationBaud = view.checked(kBaud1200) ? kSlowBaud : kFastBaud;
    const int model = view.currentIndex(kModel);
    if (model >= 0)
        config_.stationModel = static_cast<std::int8_t>(model);
    const int collector = view.currentIndex(kRainCollector);
    const StationModel* chosen = findStationModel(config_.stationModel);
    if (chosen != nullptr && !chosen->rainCollector)
        config_.rainCollector = 0;
    else if (collector >= 0)
        config_.rainCollector = static_cast<std::int8_t>(collector);
    config_.stationViaModem = viaModem;
    if (viaModem)
        config_.afterConnectWaitSec = static_cast<std::int8_t>(*wait);
    config_.rotaryDial = view.checked(kRotaryDial);
    config_.stationPhone = view.text(kPhone).substr(0, kMaxModemText);
    config_.stationModemInit = view.text(kModemInit).substr(0, kMaxModemText);
    end(view, platform::IdOk);
}

int runStationSetupDialog(app::SettingsDialogLauncher& launcher, app::Shell& shell,
                          app::ConfigRecord& config, DetectStation detect,
                          const std::function<void()>& saveConfiguration)
{
    StationSetupDialog dialog(shell, config, std::move(detect));
    return launcher.runAndSave(dialog, saveConfiguration);
}

} // namespace bv::station
