#include "paging/pager_alarms_dialog.h"

#include <algorithm>
#include <cstdio>

#include "app/base/template_builder.h"
#include "paging/alarm_evaluation.h"
#include "paging/alarm_limits.h"
#include "paging/alarm_quantity.h"
#include "paging/dialog_ids.h"
#include "units/compass.h"

namespace bv::paging {

using namespace pager_alarms_dialog;
using platform::ControlKind;

namespace {

constexpr int kLimitsGroup = 1500;
constexpr int kAndGroup = 1501;
constexpr int kLowTitle = 1502;
constexpr int kHighTitle = 1503;
constexpr int kCodeTitle = 1504;
constexpr int kFirstAndTitle = 1505;
constexpr int kConditionCount = kAndAlarmCount * kConditionsPerAndAlarm;
constexpr std::string_view kHigh = "High";
constexpr std::string_view kLow = "Low";
constexpr std::string_view kNone = "None";
constexpr int kCompassPoints = 16;
constexpr int kLimitWidthChars = 7;

int nameId(int q)
{
    return kFirstName + q;
}
int lowId(int q)
{
    return kFirstLow + q;
}
int highId(int q)
{
    return kFirstHigh + q;
}
int codeId(int q)
{
    return kFirstCode + q;
}
int andCodeId(int a)
{
    return kFirstAndCode + a;
}
int quantityId(int c)
{
    return kFirstQuantity + c;
}
int senseId(int c)
{
    return kFirstSense + c;
}
int limitId(int c)
{
    return kFirstLimit + c;
}
int compassId(int c)
{
    return kFirstCompass + c;
}

std::size_t at(int i)
{
    return static_cast<std::size_t>(i);
}

std::vector<std::string> quantityNames(units::StationFamily family)
{
    std::vector<std::string> names = {std::string(kNone)};
    for (int q = 0; q < kQuantityCount; ++q)
        names.emplace_back(quantityName(q, family));
    return names;
}

std::vector<std::string> compassNames()
{
    std::vector<std::string> names;
    constexpr double kDegreesPerPoint = 22.5;
    for (int i = 0; i < kCompassPoints; ++i)
        names.emplace_back(units::compassPoint(i * kDegreesPerPoint));
    return names;
}

void addLimitRows(app::TemplateBuilder& b, units::StationFamily family)
{
    b.add(kLimitsGroup, ControlKind::GroupBox, "Alarm Limits", 0);
    b.add(kLowTitle, ControlKind::StaticText, "Low", 0, 1, kLimitsGroup);
    b.add(kHighTitle, ControlKind::StaticText, "High", 0, 2, kLimitsGroup);
    b.add(kCodeTitle, ControlKind::StaticText, "Alarm Code", 0, 3, kLimitsGroup);
    for (int q = 0; q < kLimitQuantityCount; ++q) {
        const int row = q + 1;
        b.add(nameId(q), ControlKind::StaticText, std::string(quantityName(q, family)), row, 0,
              kLimitsGroup);
        b.add(lowId(q), ControlKind::Edit, "", row, 1, kLimitsGroup).widthChars = kLimitWidthChars;
        b.add(highId(q), ControlKind::Edit, "", row, 2, kLimitsGroup).widthChars = kLimitWidthChars;
        b.add(codeId(q), ControlKind::Edit, "", row, 3, kLimitsGroup).maxLength =
            kMaxAlarmCodeChars;
    }
}

void addAndAlarms(app::TemplateBuilder& b)
{
    b.add(kAndGroup, ControlKind::GroupBox, "AND Type Alarms", 1);
    for (int a = 0; a < kAndAlarmCount; ++a) {
        const int row = a * (kConditionsPerAndAlarm + 1);
        b.add(kFirstAndTitle + a, ControlKind::StaticText,
              "Alarm " + std::to_string(a + 1) + " Code", row, 0, kAndGroup);
        b.add(andCodeId(a), ControlKind::Edit, "", row, 1, kAndGroup).maxLength =
            kMaxAlarmCodeChars;
        for (int n = 0; n < kConditionsPerAndAlarm; ++n) {
            const int c = a * kConditionsPerAndAlarm + n;
            b.add(quantityId(c), ControlKind::DropDownList, "", row + n + 1, 0, kAndGroup);
            b.add(senseId(c), ControlKind::PushButton, std::string(kHigh), row + n + 1, 1,
                  kAndGroup);
            b.add(limitId(c), ControlKind::Edit, "", row + n + 1, 2, kAndGroup).widthChars =
                kLimitWidthChars;
            b.add(compassId(c), ControlKind::DropDownList, "", row + n + 1, 3, kAndGroup);
        }
    }
}

platform::DialogTemplate alarmsTemplate(units::StationFamily family)
{
    app::TemplateBuilder b("PAGER_ALARMS", "Pager Alarms", kPagerAlarmsHelpTopic);
    addLimitRows(b, family);
    addAndAlarms(b);
    b.button(platform::IdOk, "OK", 0).isDefault = true;
    b.button(platform::IdCancel, "Cancel", 1);
    b.button(kHelpButton, "&Help", 2);
    return b.take();
}

std::string limitText(float limit)
{
    if (!limitSet(limit))
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%2.1f", static_cast<double>(limit));
    return text;
}

bool isWindDirection(int listIndex)
{
    return listIndex == WindDirection + 1;
}

} // namespace

PagerAlarmsDialog::PagerAlarmsDialog(app::ConfigRecord& config, std::filesystem::path codesFile)
    : Dialog(alarmsTemplate(familyOfModel(config.stationModel)), kHelpButton), config_(config),
      codesFile_(std::move(codesFile))
{
}

void PagerAlarmsDialog::handleOpen(platform::DialogView& view)
{
    const AlarmCodes codes = readAlarmCodes(codesFile_).value_or(AlarmCodes{});
    const int model = config_.stationModel;
    for (int q = 0; q < kLimitQuantityCount; ++q) {
        for (const auto& [id, side] :
             {std::pair{lowId(q), LimitSide::Low}, std::pair{highId(q), LimitSide::High}}) {
            const bool offered = limitOffered(model, config_.rainCollector, q, side);
            view.setText(id, offered ? limitText(alarmLimit(config_, q, side)) : "");
            view.setEnabled(id, offered);
        }
        view.setText(codeId(q), codes[at(q)]);
    }
    if (familyOfModel(model) == units::StationFamily::Tirrel)
        view.setVisible(lowId(InsideHum), false);

    const std::vector<std::string> names = quantityNames(familyOfModel(model));
    const std::vector<std::string> compass = compassNames();
    for (int c = 0; c < kConditionCount; ++c) {
        const int param = config_.andAlarmParam[at(c)];
        view.setItems(quantityId(c), names);
        view.setCurrentIndex(quantityId(c), param <= kQuantityCount ? param : 0);
        view.setText(senseId(c), std::string(config_.andAlarmHigh[at(c)] == 0 ? kLow : kHigh));
        view.setItems(compassId(c), compass);
        // The compass list always has a point chosen, N unless one is stored.
        const float value = config_.andAlarmValue[at(c)];
        const int point = isWindDirection(param) ? static_cast<int>(value) : 0;
        view.setCurrentIndex(compassId(c), point >= 0 && point < kCompassPoints ? point : 0);
        if (!isWindDirection(param))
            view.setText(limitId(c), limitText(value));
        showCondition(view, c);
    }
    for (int a = 0; a < kAndAlarmCount; ++a)
        view.setText(andCodeId(a), codes[at(kFirstAndAlarmCode + a)]);
    view.setFocus(lowId(0));
}

void PagerAlarmsDialog::showCondition(platform::DialogView& view, int condition)
{
    const bool compass = isWindDirection(view.currentIndex(quantityId(condition)));
    view.setVisible(limitId(condition), !compass);
    view.setVisible(compassId(condition), compass);
}

void PagerAlarmsDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    if (id >= kFirstQuantity && id < kFirstQuantity + kConditionCount) {
        showCondition(view, id - kFirstQuantity);
    } else if (id >= kFirstSense && id < kFirstSense + kConditionCount) {
        view.setText(id, std::string(view.text(id) == kLow ? kHigh : kLow));
    } else if (id == platform::IdOk) {
        store(view);
        end(view, platform::IdOk);
    } else if (id == platform::IdCancel) {
        end(view, platform::IdCancel);
    }
}

void PagerAlarmsDialog::store(const platform::DialogView& view)
{
    const int model = config_.stationModel;
    AlarmCodes codes;
    for (int q = 0; q < kLimitQuantityCount; ++q) {
        for (const auto& [id, side] :
             {std::pair{lowId(q), LimitSide::Low}, std::pair{highId(q), LimitSide::High}}) {
            const bool offered = limitOffered(model, config_.rainCollector, q, side);
            setAlarmLimit(config_, q, side, offered ? parseLimitText(view.text(id)) : app::kNotSet);
        }
        codes[at(q)] = view.text(codeId(q));
    }
    for (int c = 0; c < kConditionCount; ++c) {
        const int param = std::max(view.currentIndex(quantityId(c)), 0);
        config_.andAlarmParam[at(c)] = static_cast<std::uint8_t>(param);
        config_.andAlarmHigh[at(c)] = view.text(senseId(c)) == kLow ? 0 : 1;
        const int point = view.currentIndex(compassId(c));
        config_.andAlarmValue[at(c)] = isWindDirection(param)
                                           ? (point >= 0 ? static_cast<float>(point) : app::kNotSet)
                                           : parseLimitText(view.text(limitId(c)));
    }
    for (int a = 0; a < kAndAlarmCount; ++a)
        codes[at(kFirstAndAlarmCode + a)] = view.text(andCodeId(a));
    writeAlarmCodes(codesFile_, codes);
}

} // namespace bv::paging
