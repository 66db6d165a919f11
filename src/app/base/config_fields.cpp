#include "app/base/config_fields.h"

#include <algorithm>
#include <array>
#include <limits>
#include <type_traits>

namespace bv::app {
namespace {

template <class T> std::span<T> one(T& value)
{
    return {&value, 1};
}

template <class T, std::size_t N> std::span<T> all(std::array<T, N>& values)
{
    return values;
}

using R = ConfigRecord;

constexpr std::int64_t kMaxSeconds = std::numeric_limits<std::int32_t>::max();
// Minute counts are multiplied by 60 by their users; keep the product in 32 bits.
constexpr std::int64_t kMaxMinutes = kMaxSeconds / 60;
constexpr std::int64_t kMaxComPort = std::numeric_limits<std::int8_t>::max();
constexpr std::int64_t kMaxPort = std::numeric_limits<std::uint16_t>::max();

constexpr FieldChoice kOffOn[] = {{0, "off"}, {1, "on"}};
constexpr FieldChoice kBaudRates[] = {{1200, ""}, {2400, ""}};
constexpr FieldChoice kStationModels[] = {{0, "Ostrel II"}, {1, "Carrow III"}, {2, "Carrow II"},
                                          {3, "Lunett"},    {4, "Tirrel D"},   {5, "Tirrel E"}};
constexpr FieldChoice kRainCollectors[] = {{0, "None"}, {1, ".1 in"}, {2, ".01 in"}, {3, ",2 mm"}};
constexpr FieldChoice kTempUnits[] = {{0, "°F"}, {1, "°C"}};
constexpr FieldChoice kBaroUnits[] = {{0, "in"}, {1, "mm"}, {2, "mb"}, {3, "hPa"}};
constexpr FieldChoice kWindUnits[] = {{0, "mph"}, {1, "knot"}, {2, "km/hr"}, {3, "m/s"}};
constexpr FieldChoice kRainUnits[] = {{0, "in"}, {1, "mm"}};
constexpr FieldChoice kAlarmSides[] = {{0, "Low"}, {1, "High"}};
constexpr FieldChoice kImageBackgrounds[] = {{0, "Green"}, {1, "Transparent"}, {2, "Yellow"},
                                             {3, "White"}, {4, "Blue"},        {5, "Grey"}};

// A flag is set to 0 or 1 (off or on), whatever other byte the file may hold.
ConfigField flagField(std::string_view name, std::size_t offset, FieldAccessor<Flag> access)
{
    return {.name = name, .offset = offset, .access = access, .choices = kOffOn};
}

ConfigField intField(std::string_view name, std::size_t offset, std::int64_t minimum,
                     std::int64_t maximum, FieldAccess access)
{
    return {
        .name = name, .offset = offset, .access = access, .minimum = minimum, .maximum = maximum};
}

ConfigField choiceField(std::string_view name, std::size_t offset,
                        std::span<const FieldChoice> choices, FieldAccess access)
{
    return {.name = name, .offset = offset, .access = access, .choices = choices};
}

// Texts the dialogs limit to less than the field holds take maxLength.
ConfigField textField(std::string_view name, std::size_t offset, std::size_t width,
                      std::size_t maxLength, FieldAccessor<std::string> access)
{
    return {.name = name,
            .offset = offset,
            .access = access,
            .textWidth = width,
            .maxLength = maxLength};
}

ConfigField textField(std::string_view name, std::size_t offset, std::size_t width,
                      FieldAccessor<std::string> access)
{
    return textField(name, offset, width, width - 1, access);
}

ConfigField floatField(std::string_view name, std::size_t offset, FieldAccessor<float> access)
{
    return {.name = name, .offset = offset, .access = access};
}

ConfigField password(ConfigField field)
{
    field.secret = true;
    return field;
}

ConfigField readOnly(ConfigField field)
{
    field.readOnly = true;
    return field;
}

const auto kFields = std::to_array<ConfigField>({
    textField("ftpHost", 0, 100, [](R& r) { return one(r.ftpHost); }),
    intField("ftpPort", 100, 1, kMaxPort, [](R& r) { return one(r.ftpPort); }),
    textField("ftpUser", 101, 100, [](R& r) { return one(r.ftpUser); }),
    password(textField("ftpPassword", 201, 100, [](R& r) { return one(r.ftpPassword); })),
    textField("ftpRemotePath", 301, 100, [](R& r) { return one(r.ftpRemotePath); }),
    textField("dialupEntry", 401, 100, [](R& r) { return one(r.dialupEntry); }),
    textField("dialupUser", 501, 100, [](R& r) { return one(r.dialupUser); }),
    password(textField("dialupPassword", 601, 100, [](R& r) { return one(r.dialupPassword); })),
    intField("transferIntervalSec", 704, 1, kMaxSeconds,
             [](R& r) { return one(r.transferIntervalSec); }),
    flagField("stayConnected", 708, [](R& r) { return one(r.stayConnected); }),
    flagField("internetTransferEnabled", 709, [](R& r) { return one(r.internetTransferEnabled); }),
    flagField("localServerConnection", 710, [](R& r) { return one(r.localServerConnection); }),
    intField("stationComPort", 711, 1, kMaxComPort, [](R& r) { return one(r.stationComPort); }),
    choiceField("stationBaud", 712, kBaudRates, [](R& r) { return one(r.stationBaud); }),
    choiceField("stationModel", 714, kStationModels, [](R& r) { return one(r.stationModel); }),
    readOnly(textField("stationDir", 715, 150, [](R& r) { return one(r.stationDir); })),
    flagField("localTransferEnabled", 865, [](R& r) { return one(r.localTransferEnabled); }),
    textField("localTransferPath", 866, 100, [](R& r) { return one(r.localTransferPath); }),
    choiceField("rainCollector", 1117, kRainCollectors, [](R& r) { return one(r.rainCollector); }),
    choiceField("tempUnit", 1118, kTempUnits, [](R& r) { return one(r.tempUnit); }),
    choiceField("baroUnit", 1119, kBaroUnits, [](R& r) { return one(r.baroUnit); }),
    choiceField("windUnit", 1120, kWindUnits, [](R& r) { return one(r.windUnit); }),
    choiceField("rainUnit", 1121, kRainUnits, [](R& r) { return one(r.rainUnit); }),
    textField("templateExtension", 1122, 5, [](R& r) { return one(r.templateExtension); }),
    intField("transferHold", 1128, 0, 255, [](R& r) { return one(r.transferHold); }),
    flagField("transferRange.days", 1129, [](R& r) { return all(r.transferRange.days); }),
    flagField("transferRange.enabled", 1136, [](R& r) { return one(r.transferRange.enabled); }),
    intField("transferRange.fromMin", 1140, 0, kLastMinuteOfDay,
             [](R& r) { return one(r.transferRange.fromMin); }),
    intField("transferRange.toMin", 1144, 0, kLastMinuteOfDay,
             [](R& r) { return one(r.transferRange.toMin); }),
    flagField("downloadEnabled", 1148, [](R& r) { return one(r.downloadEnabled); }),
    intField("downloadIntervalMin", 1152, 1, kMaxMinutes,
             [](R& r) { return one(r.downloadIntervalMin); }),
    flagField("archiveOverwrite", 1156, [](R& r) { return one(r.archiveOverwrite); }),
    flagField("clearArchiveAfterDownload", 1157,
              [](R& r) { return one(r.clearArchiveAfterDownload); }),
    flagField("downloadBeforeUpload", 1158, [](R& r) { return one(r.downloadBeforeUpload); }),
    textField("archiveFileName", 1159, 50, [](R& r) { return one(r.archiveFileName); }),
    intField("pagerComPort", 1209, 1, kMaxComPort, [](R& r) { return one(r.pagerComPort); }),
    flagField("pageOnAlarm", 1210, [](R& r) { return one(r.pageOnAlarm); }),
    flagField("pageWeather", 1211, [](R& r) { return one(r.pageWeather); }),
    flagField("alarmPageRange.enabled", 1212, [](R& r) { return one(r.alarmPageRange.enabled); }),
    intField("alarmPageIntervalMin", 1216, 1, kMaxMinutes,
             [](R& r) { return one(r.alarmPageIntervalMin); }),
    flagField("alarmPageRange.days", 1220, [](R& r) { return all(r.alarmPageRange.days); }),
    intField("alarmPageRange.fromMin", 1228, 0, kLastMinuteOfDay,
             [](R& r) { return one(r.alarmPageRange.fromMin); }),
    intField("alarmPageRange.toMin", 1232, 0, kLastMinuteOfDay,
             [](R& r) { return one(r.alarmPageRange.toMin); }),
    flagField("weatherPageRange.enabled", 1236,
              [](R& r) { return one(r.weatherPageRange.enabled); }),
    intField("weatherPageIntervalMin", 1240, 1, kMaxMinutes,
             [](R& r) { return one(r.weatherPageIntervalMin); }),
    flagField("weatherPageRange.days", 1244, [](R& r) { return all(r.weatherPageRange.days); }),
    intField("weatherPageRange.fromMin", 1252, 0, kLastMinuteOfDay,
             [](R& r) { return one(r.weatherPageRange.fromMin); }),
    intField("weatherPageRange.toMin", 1256, 0, kLastMinuteOfDay,
             [](R& r) { return one(r.weatherPageRange.toMin); }),
    intField("alarmRearmMin", 1260, 0, kMaxMinutes, [](R& r) { return one(r.alarmRearmMin); }),
    floatField("alarmLimits", 1264, [](R& r) { return all(r.alarmLimits); }),
    flagField("weatherPageItems", 1352, [](R& r) { return all(r.weatherPageItems); }),
    intField("andAlarmParam", 1364, 0, 12, [](R& r) { return all(r.andAlarmParam); }),
    choiceField("andAlarmHigh", 1368, kAlarmSides, [](R& r) { return all(r.andAlarmHigh); }),
    floatField("andAlarmValue", 1372, [](R& r) { return all(r.andAlarmValue); }),
    flagField("currentImages", 1388, [](R& r) { return all(r.currentImages); }),
    flagField("historyImages", 1401, [](R& r) { return all(r.historyImages); }),
    choiceField("imageBackground", 1414, kImageBackgrounds,
                [](R& r) { return one(r.imageBackground); }),
    flagField("imageHighsLows", 1415, [](R& r) { return one(r.imageHighsLows); }),
    flagField("stationViaModem", 1416, [](R& r) { return one(r.stationViaModem); }),
    flagField("rotaryDial", 1417, [](R& r) { return one(r.rotaryDial); }),
    textField("stationModemInit", 1418, 50, 48, [](R& r) { return one(r.stationModemInit); }),
    textField("stationPhone", 1468, 50, 48, [](R& r) { return one(r.stationPhone); }),
    intField("afterConnectWaitSec", 1518, 0, 127, [](R& r) { return one(r.afterConnectWaitSec); }),
    flagField("loggerEnabled", 1519, [](R& r) { return one(r.loggerEnabled); }),
    textField("loggerCommand", 1520, 100, [](R& r) { return one(r.loggerCommand); }),
    flagField("loggerDays", 1620, [](R& r) { return all(r.loggerDays); }),
    intField("loggerStartMin", 1628, 0, kLastMinuteOfDay,
             [](R& r) { return one(r.loggerStartMin); }),
    intField("loggerEndMin", 1632, 0, kLastMinuteOfDay, [](R& r) { return one(r.loggerEndMin); }),
    flagField("uploadArchiveFile", 1636, [](R& r) { return one(r.uploadArchiveFile); }),
    intField("dialAttempts", 1637, 1, 10, [](R& r) { return one(r.dialAttempts); }),
    intField("dialRetryWaitSec", 1638, 1, 60, [](R& r) { return one(r.dialRetryWaitSec); }),
    textField("pagerModemInit", 1639, 45, [](R& r) { return one(r.pagerModemInit); }),
});

constexpr ReservedArea kReservedAreas[] = {
    {701, 3},  {968, 149}, {1127, 1}, {1137, 3}, {1149, 3},  {1213, 3},
    {1227, 1}, {1237, 3},  {1251, 1}, {1627, 1}, {1684, 56},
};

} // namespace

std::span<const ConfigField> configFields()
{
    return kFields;
}

std::span<const ReservedArea> reservedAreas()
{
    return kReservedAreas;
}

const ConfigField* findConfigField(std::string_view name)
{
    const auto it = std::ranges::find(kFields, name, &ConfigField::name);
    return it == kFields.end() ? nullptr : &*it;
}

std::size_t elementWidth(const ConfigField& field)
{
    return std::visit(
        [&field](auto access) -> std::size_t {
            using T = typename std::invoke_result_t<decltype(access), ConfigRecord&>::value_type;
            if constexpr (std::is_same_v<T, std::string>) {
                return field.textWidth;
            } else if constexpr (std::is_same_v<T, std::uint16_t>) {
                return 1; // the port's low byte; the wide copy lies elsewhere
            } else {
                static_assert(sizeof(T) <= 4);
                return sizeof(T);
            }
        },
        field.access);
}

} // namespace bv::app
