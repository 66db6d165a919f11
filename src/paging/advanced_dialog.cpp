#include "paging/advanced_dialog.h"

#include "app/base/template_builder.h"
#include "paging/dialog_ids.h"

namespace bv::paging {

using namespace advanced_dialog;
using platform::ControlKind;

namespace {

constexpr int kProtocolGroup = 1357;
constexpr int kBaudLabel = 1358;
constexpr int kIntervalLabel = 1359;
constexpr int kLowLabel = 1354;
constexpr int kHighLabel = 1355;
constexpr int kSlowestInterval = 1;
constexpr int kLongestInterval = 5;

// Baud codes 1..3 by list position.
const std::vector<std::string> kBaudRates = {"300", "1200", "2400"};

platform::DialogTemplate advancedTemplate()
{
    app::TemplateBuilder b("PAGER_ADVANCED", "Advanced Properties", kAdvancedHelpTopic);
    b.add(kProtocolGroup, ControlKind::GroupBox, "Protocol", 0).columnSpan = 3;
    b.add(kManual, ControlKind::RadioButton, "Manual", 0, 0, kProtocolGroup);
    b.add(kAutomatic, ControlKind::RadioButton, "Automatic", 0, 1, kProtocolGroup);
    b.add(kBaudLabel, ControlKind::StaticText, "Baud Rate", 1, 0);
    b.add(kBaudRate, ControlKind::DropDownList, "", 1, 1).columnSpan = 2;
    b.add(kIntervalLabel, ControlKind::StaticText, "Time Interval used in the Protocol", 2, 0)
        .columnSpan = 3;
    b.add(kLowLabel, ControlKind::StaticText, "Low", 3, 0);
    platform::ControlSpec& slider = b.add(kTimeInterval, ControlKind::Slider, "", 3, 1);
    slider.minimum = kSlowestInterval;
    slider.maximum = kLongestInterval;
    b.add(kHighLabel, ControlKind::StaticText, "High", 3, 2);
    b.button(platform::IdOk, "OK", 0).isDefault = true;
    b.button(platform::IdCancel, "Cancel", 1);
    b.button(kHelpButton, "&Help", 2);
    return b.take();
}

} // namespace

AdvancedDialog::AdvancedDialog(AdvancedSettings& settings)
    : Dialog(advancedTemplate(), kHelpButton), settings_(settings)
{
}

void AdvancedDialog::handleOpen(platform::DialogView& view)
{
    view.setChecked(settings_.protocol == AdvancedSettings::kAutomatic ? kAutomatic : kManual,
                    true);
    view.setItems(kBaudRate, kBaudRates);
    const int baud = settings_.baudRate - AdvancedSettings::kBaud300;
    // Any other code dials at 1200 baud, as the sender does.
    view.setCurrentIndex(kBaudRate, baud >= 0 && baud < static_cast<int>(kBaudRates.size())
                                        ? baud
                                        : AdvancedSettings::kBaud1200 - AdvancedSettings::kBaud300);
    view.setValue(kTimeInterval, settings_.timeInterval);
    view.setFocus(kManual);
}

void AdvancedDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    if (id == platform::IdCancel) {
        end(view, platform::IdCancel);
        return;
    }
    if (id != platform::IdOk)
        return;
    settings_.protocol =
        view.checked(kAutomatic) ? AdvancedSettings::kAutomatic : AdvancedSettings::kManual;
    settings_.baudRate =
        static_cast<std::uint8_t>(AdvancedSettings::kBaud300 + view.currentIndex(kBaudRate));
    settings_.timeInterval = static_cast<std::uint8_t>(view.value(kTimeInterval));
    end(view, platform::IdOk);
}

} // namespace bv::paging
