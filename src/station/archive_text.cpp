#include "station/archive_text.h"

#include "app/base/strings_station.h"
#include "station/weather_values.h"

namespace bv::station {

namespace {

constexpr char kTab = '\t';
constexpr char kLineFeed = '\n';
constexpr int kFirstYear = 1900;
constexpr double kDegreesPerPoint = 22.5;
constexpr int kTenths = 1;
constexpr int kHundredths = 2;

// The value with its column's decimals ("%2.1f" is 1, "%.2f" is 2), or
// "----" for a missing one; then the separator: a tab, or the line feed of
// the last column.
void put(std::string& line, int decimals, const ArchiveValue& value, char separator = kTab)
{
    line += value ? formatFixed(*value, decimals) : std::string(missingText());
    line += separator;
}

// Whole numbers ("%d"), truncated.
void putWhole(std::string& line, const ArchiveValue& value)
{
    line += value ? std::to_string(static_cast<int>(*value)) : std::string(missingText());
    line += kTab;
}

void putDirection(std::string& line, const std::optional<int>& index)
{
    line += index ? compassText(*index * kDegreesPerPoint) : missingText();
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
    put(line, kTenths, r.airTemp);
    put(line, kTenths, r.highAirTemp);
    put(line, kTenths, r.lowAirTemp);
    put(line, kTenths, r.soilTemp);
    putWhole(line, r.outsideHum);
    putWhole(line, r.leafWetness);
    putWhole(line, r.solarRad);
    put(line, kTenths, r.solarEnergy);
    putWhole(line, r.degreeDays);
    put(line, kHundredths, r.barometer);
    put(line, kTenths, r.windSpeed);
    put(line, kTenths, r.highWindSpeed);
    putDirection(line, r.windDirection);
    put(line, kTenths, r.windChill);
    putWhole(line, r.windRun);
    put(line, kHundredths, r.rain);
    put(line, kHundredths, r.rainRate);
    put(line, kTenths, r.dewPoint);
    put(line, kTenths, r.thermalIndex);
    put(line, kHundredths, r.et, kLineFeed);
    return line;
}

std::string archiveLine(const ClassicArchiveRecord& r, const units::DateTime& stamp,
                        const units::RegionalSettings& regional)
{
    std::string line = lineStart(stamp, regional);
    put(line, kTenths, r.insideTemp);
    put(line, kTenths, r.outsideTemp);
    put(line, kTenths, r.highOutsideTemp);
    put(line, kTenths, r.lowOutsideTemp);
    putWhole(line, r.outsideHum);
    putWhole(line, r.insideHum);
    put(line, kTenths, r.dewPoint);
    put(line, kTenths, r.windChill);
    put(line, kHundredths, r.barometer);
    put(line, kTenths, r.windSpeed);
    put(line, kTenths, r.highWindSpeed);
    putDirection(line, r.windDirection);
    put(line, kHundredths, r.rain, kLineFeed);
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
