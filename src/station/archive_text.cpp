#include "station/archive_text.h"

#include <cstdio>

#include "app/base/strings_station.h"
#include "app/base/strings_weather.h"

namespace bv::station {

namespace {

constexpr char kTab = '\t';
constexpr char kLineFeed = '\n';
constexpr int kFirstYear = 1900;
constexpr std::size_t kNumberText = 64;

// The value in its column format, or "----" for a missing one; then the
// separator: a tab, or the line feed of the last column.
void put(std::string& line, const char* format, const ArchiveValue& value, char separator)
{
    if (value) {
        char buffer[kNumberText];
        std::snprintf(buffer, sizeof buffer, format, *value);
        line += buffer;
    } else {
        line += app::strings::kMissingValue.text;
    }
    line += separator;
}

// Whole numbers ("%d"), truncated.
void putWhole(std::string& line, const ArchiveValue& value)
{
    if (value) {
        char buffer[kNumberText];
        std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(*value));
        line += buffer;
    } else {
        line += app::strings::kMissingValue.text;
    }
    line += kTab;
}

void putDirection(std::string& line, const std::optional<int>& index)
{
    line += index ? app::strings::kCompassPoints[static_cast<std::size_t>(*index)].text
                  : app::strings::kMissingValue.text;
    line += kTab;
}

std::string lineStart(const units::DateTime& stamp, const units::RegionalSettings& regional)
{
    return stamp.longDate(regional) + kTab + stamp.timeText(regional) + kTab;
}

std::string_view field(std::string_view line, std::size_t index)
{
    for (std::size_t i = 0; i < index; ++i) {
        const std::size_t tab = line.find(kTab);
        if (tab == std::string_view::npos)
            return {};
        line.remove_prefix(tab + 1);
    }
    return line.substr(0, line.find(kTab));
}

std::optional<units::DateTime> parseLineTime(std::string_view line,
                                             const units::RegionalSettings& regional)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    units::DateTime stamp;
    if (stamp.parseDate(field(line, 0), regional) != 0 ||
        stamp.parseTime(field(line, 1), regional) != 0)
        return std::nullopt;
    return stamp;
}

} // namespace

std::string archiveHeader(StationFamily family)
{
    if (family == StationFamily::Tirrel)
        return std::string(app::strings::kArchiveHeaderTirrel1.text) +
               std::string(app::strings::kArchiveHeaderTirrel2.text);
    return std::string(app::strings::kArchiveHeaderClassic1.text) +
           std::string(app::strings::kArchiveHeaderClassic2.text);
}

std::string archiveLine(const TirrelArchiveRecord& r, const units::DateTime& stamp,
                        const units::RegionalSettings& regional)
{
    std::string line = lineStart(stamp, regional);
    put(line, "%2.1f", r.airTemp, kTab);
    put(line, "%2.1f", r.highAirTemp, kTab);
    put(line, "%2.1f", r.lowAirTemp, kTab);
    put(line, "%2.1f", r.soilTemp, kTab);
    putWhole(line, r.outsideHum);
    putWhole(line, r.leafWetness);
    putWhole(line, r.solarRad);
    put(line, "%.1f", r.solarEnergy, kTab);
    putWhole(line, r.degreeDays);
    put(line, "%.2f", r.barometer, kTab);
    put(line, "%.1f", r.windSpeed, kTab);
    put(line, "%.1f", r.highWindSpeed, kTab);
    putDirection(line, r.windDirection);
    put(line, "%2.1f", r.windChill, kTab);
    putWhole(line, r.windRun);
    put(line, "%.2f", r.rain, kTab);
    put(line, "%.2f", r.rainRate, kTab);
    put(line, "%2.1f", r.dewPoint, kTab);
    put(line, "%2.1f", r.thermalIndex, kTab);
    put(line, "%.2f", r.et, kLineFeed);
    return line;
}

std::string archiveLine(const ClassicArchiveRecord& r, const units::DateTime& stamp,
                        const units::RegionalSettings& regional)
{
    std::string line = lineStart(stamp, regional);
    put(line, "%2.1f", r.insideTemp, kTab);
    put(line, "%2.1f", r.outsideTemp, kTab);
    put(line, "%2.1f", r.highOutsideTemp, kTab);
    put(line, "%2.1f", r.lowOutsideTemp, kTab);
    putWhole(line, r.outsideHum);
    putWhole(line, r.insideHum);
    put(line, "%2.1f", r.dewPoint, kTab);
    put(line, "%2.1f", r.windChill, kTab);
    put(line, "%.2f", r.barometer, kTab);
    put(line, "%.1f", r.windSpeed, kTab);
    put(line, "%.1f", r.highWindSpeed, kTab);
    putDirection(line, r.windDirection);
    put(line, "%.2f", r.rain, kLineFeed);
    return line;
}

units::DateTime recordTime(const ArchiveStamp& stamp, const platform::WallTime& now)
{
    const int year = stamp.month > now.month ? now.year - 1 : now.year;
    units::DateTime t(stamp.month, stamp.day, year);
    t.setTime(stamp.hour, stamp.minute);
    return t;
}

units::DateTime beforeAnyRecord()
{
    return units::DateTime(1, 1, kFirstYear);
}

std::optional<units::DateTime> lastLineTime(std::string_view text,
                                            const units::RegionalSettings& regional)
{
    // Only lines ended by a line feed count: a last line without one may have
    // been cut short.
    std::size_t end = text.rfind(kLineFeed);
    while (end != std::string_view::npos) {
        const std::size_t before =
            end == 0 ? std::string_view::npos : text.rfind(kLineFeed, end - 1);
        const std::size_t start = before == std::string_view::npos ? 0 : before + 1;
        if (const auto stamp = parseLineTime(text.substr(start, end - start), regional))
            return stamp;
        if (before == std::string_view::npos)
            break;
        end = before;
    }
    return std::nullopt;
}

} // namespace bv::station
