#include "paging/pager_setup_dialog.h"

#include "app/base/dialog_host.h"
#include "app/base/strings_paging.h"
#include "app/base/strings_shell.h"
#include "app/base/template_builder.h"
#include "app/base/text_pattern.h"
#include "paging/alarm_codes.h"
#include "paging/dialog_ids.h"
#include "paging/pager_alarms_dialog.h"
#include "paging/pager_entry.h"
#include "paging/pager_entry_dialog.h"
#include "paging/weather_items_dialog.h"

namespace bv::paging {

using namespace pager_setup_dialog;
using platform::ControlKind;

namespace {

constexpr int kModemGroup = 1321;
constexpr int kPagingGroup = 1322;
constexpr int kComPortLabel = 1323;
constexpr int kModemInitLabel = 1324;
constexpr int kAlarmLabel = 1325;
constexpr int kWeatherLabel = 1326;
constexpr int kRearmLabel = 1327;
constexpr int kHoursMinutesLabel = 1328;
constexpr int kLastComPort = 99;
constexpr int kMostHours = 999;
constexpr int kMinutesPerHour = 60;
constexpr int kModemInitChars = 44;
constexpr int kEntryListChars = 60;

platform::ControlSpec& spin(app::TemplateBuilder& b, int id, int row, int column, int maximum,
                            int parent)
{
    platform::ControlSpec& c = b.add(id, ControlKind::SpinBox, "", row, column, parent);
    c.maximum = maximum;
    return c;
}

void addInterval(app::TemplateBuilder& b, int row, int label, const char* text, int hours,
                 int minutes, int range)
{
    b.add(label, ControlKind::StaticText, text, row, 0, kPagingGroup);
    spin(b, hours, row, 1, kMostHours, kPagingGroup);
    spin(b, minutes, row, 2, kMinutesPerHour - 1, kPagingGroup);
    if (range != 0)
        b.add(range, ControlKind::PushButton, "Range...", row, 3, kPagingGroup);
}

platform::DialogTemplate setupTemplate()
{
    app::TemplateBuilder b("SETUP_PAGER", "Pager Setup", kPagerSetupHelpTopic);
    platform::ControlSpec& list = b.add(kEntries, ControlKind::ListBox, "", 0, 0);
    list.columnSpan = 3;
    list.rowSpan = 3;
    list.horizontalExtent = kEntryListChars;
    b.add(kAddEntry, ControlKind::PushButton, "Add Entry...", 0, 3);
    b.add(kEditEntry, ControlKind::PushButton, "Edit Entry...", 1, 3);
    b.add(kDeleteEntry, ControlKind::PushButton, "Delete Entry", 2, 3);

    b.add(kModemGroup, ControlKind::GroupBox, "Modem", 3).columnSpan = 4;
    b.add(kComPortLabel, ControlKind::StaticText, "Com Port of Modem", 0, 0, kModemGroup);
    platform::ControlSpec& port = spin(b, kComPort, 0, 1, kLastComPort, kModemGroup);
    port.minimum = 1;
    b.add(kAutoDetect, ControlKind::PushButton, "Auto Detect", 0, 2, kModemGroup);
    b.add(kModemInitLabel, ControlKind::StaticText, "Modem Initialization String", 1, 0,
          kModemGroup);
    b.add(kModemInit, ControlKind::Edit, "", 1, 1, kModemGroup).maxLength = kModemInitChars;
    b.add(kDefaultInit, ControlKind::PushButton, "Default", 1, 2, kModemGroup);

    b.add(kPagingGroup, ControlKind::GroupBox, "Paging", 4).columnSpan = 4;
    b.add(kPageOnAlarm, ControlKind::CheckBox, "Page on Alarm", 0, 0, kPagingGroup);
    b.add(kPageWeather, ControlKind::CheckBox, "Page Current Weather", 0, 1, kPagingGroup);
    b.add(kHoursMinutesLabel, ControlKind::StaticText, "Hours / Minutes", 1, 1, kPagingGroup);
    addInterval(b, 2, kAlarmLabel, "Alarm Page Interval", kAlarmHours, kAlarmMinutes, kAlarmRange);
    addInterval(b, 3, kWeatherLabel, "Weather Page Interval", kWeatherHours, kWeatherMinutes,
                kWeatherRange);
    addInterval(b, 4, kRearmLabel, "Time to re-enable the alarm", kRearmHours, kRearmMinutes, 0);
    b.add(kAlarms, ControlKind::PushButton, "Alarms...", 5, 0, kPagingGroup);
    b.add(kWeatherItems, ControlKind::PushButton, "Current Weather...", 5, 1, kPagingGroup);

    b.button(platform::IdOk, "OK", 0).isDefault = true;
    b.button(kSendPageNow, "Send Page Now", 1);
    b.button(platform::IdCancel, "Cancel", 2);
    b.button(kHelpButton, "&Help", 3);
    return b.take();
}

// The entries as the list shows them: name, kind and number.
std::string listText(const std::string& line)
{
    const std::optional<PagerEntry> entry = parsePagerLine(line);
    if (!entry)
        return line;
    return entry->name + "  " + std::string(kindName(entry->kind)) + "  " + entry->number;
}

void showInterval(platform::DialogView& view, int hours, int minutes, std::int32_t total)
{
    view.setValue(hours, total / kMinutesPerHour);
    view.setValue(minutes, total % kMinutesPerHour);
}

std::int32_t intervalOf(const platform::DialogView& view, int hours, int minutes)
{
    return view.value(hours) * kMinutesPerHour + view.value(minutes);
}

} // namespace

PagerSetupDialog::PagerSetupDialog(app::ConfigRecord& config, app::Shell& shell,
                                   std::filesystem::path stationDir, PagerSetupServices services)
    : Dialog(setupTemplate(), kHelpButton), config_(config), shell_(shell),
      stationDir_(std::move(stationDir)), services_(std::move(services)),
      alarmRange_(config.alarmPageRange), weatherRange_(config.weatherPageRange)
{
}

void PagerSetupDialog::handleOpen(platform::DialogView& view)
{
    // Lines that are no entries are left out here as in a run; the next
    // write of the file drops them.
    for (const PagerLine& line :
         readPagerFile(stationDir_ / kPagerFileName, nullptr).value_or(std::vector<PagerLine>{}))
        lines_.push_back(line.text);
    showEntries(view);
    view.setValue(kComPort, config_.pagerComPort);
    view.setText(kModemInit, config_.pagerModemInit);
    view.setChecked(kPageOnAlarm, static_cast<bool>(config_.pageOnAlarm));
    view.setChecked(kPageWeather, static_cast<bool>(config_.pageWeather));
    showInterval(view, kAlarmHours, kAlarmMinutes, config_.alarmPageIntervalMin);
    showInterval(view, kWeatherHours, kWeatherMinutes, config_.weatherPageIntervalMin);
    showInterval(view, kRearmHours, kRearmMinutes, config_.alarmRearmMin);
    view.setFocus(kEntries);
}

void PagerSetupDialog::showEntries(platform::DialogView& view)
{
    std::vector<std::string> items;
    for (const std::string& line : lines_)
        items.push_back(listText(line));
    view.setItems(kEntries, items);
}

int PagerSetupDialog::selectedEntry(platform::DialogView& view)
{
    const int index = view.currentIndex(kEntries);
    if (index < 0 || index >= static_cast<int>(lines_.size())) {
        shell_.warningBox(app::strings::kSelectPagerEntryFirst, app::BoxOwner::ActiveWindow);
        return -1;
    }
    return index;
}

void PagerSetupDialog::editEntry(platform::DialogView& view, int index)
{
    const bool adding = index < 0;
    PagerEntry entry;
    if (!adding)
        entry = parsePagerLine(lines_[static_cast<std::size_t>(index)]).value_or(PagerEntry{});
    PagerEntryDialog dialog(shell_, entry);
    if (dialog.run(host()) != platform::IdOk)
        return;
    if (adding)
        lines_.push_back(formatPagerLine(entry));
    else
        lines_[static_cast<std::size_t>(index)] = formatPagerLine(entry);
    showEntries(view);
    view.setCurrentIndex(kEntries, adding ? static_cast<int>(lines_.size()) - 1 : index);
}

void PagerSetupDialog::deleteEntry(platform::DialogView& view)
{
    const int index = selectedEntry(view);
    if (index < 0)
        return;
    const std::string_view name = entryNameOf(lines_[static_cast<std::size_t>(index)]);
    if (shell_.confirmBox(app::fillPattern(app::strings::kDeletePagerEntry, {name}),
                          platform::MessageButtons::YesNo,
                          app::BoxOwner::ActiveWindow) != platform::MessageResult::Yes)
        return;
    lines_.erase(lines_.begin() + index);
    showEntries(view);
}

void PagerSetupDialog::handleCommand(platform::DialogView& view, int id,
                                     platform::Notification what)
{
    switch (id) {
    case kAddEntry:
        editEntry(view, -1);
        break;
    case kEditEntry:
        if (const int index = selectedEntry(view); index >= 0)
            editEntry(view, index);
        break;
    case kEntries:
        if (what == platform::Notification::DoubleClicked && view.currentIndex(kEntries) >= 0)
            editEntry(view, view.currentIndex(kEntries));
        break;
    case kDeleteEntry:
    case platform::IdDeleteKey:
        deleteEntry(view);
        break;
    case kAutoDetect:
        if (services_.detectModem)
            if (const int port = services_.detectModem(); port > 0)
                view.setValue(kComPort, port);
        break;
    case kDefaultInit:
        view.setText(kModemInit, std::string(app::strings::kDefaultModemInit));
        break;
    case kAlarmRange:
        if (services_.editRange)
            services_.editRange(alarmRange_);
        break;
    case kWeatherRange:
        if (services_.editRange)
            services_.editRange(weatherRange_);
        break;
    case kAlarms: {
        PagerAlarmsDialog alarms(config_, stationDir_ / kAlarmCodesFileName);
        alarms.run(host());
        break;
    }
    case kWeatherItems: {
        WeatherItemsDialog items(config_);
        items.run(host());
        break;
    }
    case platform::IdOk:
        store(view);
        end(view, platform::IdOk);
        break;
    case kSendPageNow:
        store(view);
        if (!config_.pageOnAlarm && !config_.pageWeather) {
            shell_.errorBox(app::strings::kPagingNotSelected, app::BoxOwner::ActiveWindow);
            break;
        }
        sendPageNow_ = true;
        end(view, platform::IdOk);
        break;
    case platform::IdCancel:
        end(view, platform::IdCancel);
        break;
    default:
        break;
    }
}

void PagerSetupDialog::store(const platform::DialogView& view)
{
    config_.pagerComPort = static_cast<std::int8_t>(view.value(kComPort));
    config_.pagerModemInit = view.text(kModemInit);
    config_.pageOnAlarm = view.checked(kPageOnAlarm);
    config_.pageWeather = view.checked(kPageWeather);
    config_.alarmPageIntervalMin = intervalOf(view, kAlarmHours, kAlarmMinutes);
    config_.weatherPageIntervalMin = intervalOf(view, kWeatherHours, kWeatherMinutes);
    config_.alarmRearmMin = intervalOf(view, kRearmHours, kRearmMinutes);
    config_.alarmPageRange = alarmRange_;
    config_.weatherPageRange = weatherRange_;
    writePagerFile(stationDir_ / kPagerFileName, lines_);
}

} // namespace bv::paging
