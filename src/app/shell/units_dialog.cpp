#include "app/shell/units_dialog.h"

#include <span>

#include "app/base/settings_dialog_launcher.h"
#include "app/base/template_builder.h"

namespace bv::app {

using platform::ControlKind;
using namespace units_dialog;

namespace {

// Group boxes, addressed only as parents.
constexpr int kTemperatureGroup = 1401;
constexpr int kRainGroup = 1402;
constexpr int kBarometerGroup = 1403;
constexpr int kWindGroup = 1404;

void addGroup(TemplateBuilder& b, int groupId, const char* title, int row, int column,
              std::span<const int> buttons, std::span<const std::string_view> labels)
{
    b.add(groupId, ControlKind::GroupBox, title, row, column);
    for (std::size_t i = 0; i < buttons.size(); ++i)
        b.add(buttons[i], ControlKind::RadioButton, std::string(labels[i]), static_cast<int>(i), 0,
              groupId);
}

platform::DialogTemplate unitsTemplate()
{
    using units::BarometerUnit;
    using units::RainUnit;
    using units::TemperatureUnit;
    using units::unitLabel;
    using units::WindUnit;
    const std::string_view temperature[] = {unitLabel(TemperatureUnit::Fahrenheit),
                                            unitLabel(TemperatureUnit::Celsius)};
    const std::string_view rain[] = {unitLabel(RainUnit::Inch), unitLabel(RainUnit::Millimetre)};
    const std::string_view barometer[] = {
        unitLabel(BarometerUnit::Inch), unitLabel(BarometerUnit::Millimetre),
        unitLabel(BarometerUnit::Millibar), unitLabel(BarometerUnit::Hectopascal)};
    const std::string_view wind[] = {unitLabel(WindUnit::Mph), unitLabel(WindUnit::Knot),
                                     unitLabel(WindUnit::KmPerHour),
                                     unitLabel(WindUnit::MetresPerSecond)};

    TemplateBuilder b("SETUP_UNITS", "Choose Units", kHelpTopic);
    addGroup(b, kTemperatureGroup, "Temperature", 0, 0, kTemperatureButtons, temperature);
    addGroup(b, kRainGroup, "Rain", 0, 1, kRainButtons, rain);
    addGroup(b, kBarometerGroup, "Barometer", 1, 0, kBarometerButtons, barometer);
    addGroup(b, kWindGroup, "Wind Speed", 1, 1, kWindButtons, wind);
    b.button(platform::IdOk, "OK", 0).isDefault = true;
    b.button(platform::IdCancel, "Cancel", 1);
    b.button(kHelpButton, "&Help", 2);
    return b.take();
}

void checkCode(platform::DialogView& view, std::span<const int> buttons, int code)
{
    if (code >= 0 && code < static_cast<int>(buttons.size()))
        view.setChecked(buttons[static_cast<std::size_t>(code)], true);
}

// The position of the checked button, or fallback when none is checked.
std::int8_t checkedPosition(const platform::DialogView& view, std::span<const int> buttons,
                            std::int8_t fallback)
{
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (view.checked(buttons[i]))
            return static_cast<std::int8_t>(i);
    return fallback;
}

} // namespace

UnitsDialog::UnitsDialog(ConfigRecord& config, station::StationSession& station)
    : Dialog(unitsTemplate(), kHelpButton), config_(config), station_(station)
{
}

void UnitsDialog::handleOpen(platform::DialogView& view)
{
    checkCode(view, kTemperatureButtons, config_.tempUnit);
    checkCode(view, kBarometerButtons, config_.baroUnit);
    checkCode(view, kRainButtons, config_.rainUnit);
    checkCode(view, kWindButtons, config_.windUnit);
}

void UnitsDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    if (id == platform::IdOk) {
        store(view);
        end(view, platform::IdOk);
    } else if (id == platform::IdCancel) {
        end(view, platform::IdCancel);
    }
}

void UnitsDialog::store(const platform::DialogView& view)
{
    config_.tempUnit = view.checked(kTemperatureButtons[0]) ? 0 : 1;
    config_.rainUnit = view.checked(kRainButtons[0]) ? 0 : 1;
    config_.baroUnit = checkedPosition(view, kBarometerButtons, config_.baroUnit);
    config_.windUnit = checkedPosition(view, kWindButtons, config_.windUnit);
    units::UnitsSelection selection = station_.settings().units;
    units::applyUnitCodes(selection, config_.tempUnit, config_.rainUnit, config_.baroUnit,
                          config_.windUnit);
    station_.setUnits(selection);
}

int runUnitsDialog(SettingsDialogLauncher& launcher, ConfigRecord& config,
                   station::StationSession& station, const std::function<void()>& saveConfiguration)
{
    UnitsDialog dialog(config, station);
    return launcher.runAndSave(dialog, saveConfiguration);
}

} // namespace bv::app
