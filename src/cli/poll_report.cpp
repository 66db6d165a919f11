#include "cli/poll_report.h"

#include <algorithm>
#include <cstdio>

#include "app/base/strings_weather.h"
#include "station/derived_values.h"
#include "station/result_codes.h"

namespace bv::cli {
namespace {

ReportItem number(std::string name, ReportKind kind, double value)
{
    return ReportItem{std::move(name),
                      kind,
                      kind == ReportKind::Raw ? station::WeatherValue::number(value)
                                              : station::WeatherValue::fromReading(value),
                      {}};
}

ReportItem text(std::string name, std::optional<std::string> value)
{
    return ReportItem{std::move(name), ReportKind::Whole, station::WeatherValue::missing(),
                      std::move(value)};
}

ReportKind kindOf(station::MemoryDecoding d)
{
    using D = station::MemoryDecoding;
    switch (d) {
    case D::Temperature:
    case D::Temperature12:
    case D::TemperatureOffset:
        return ReportKind::Temperature;
    case D::Percent:
        return ReportKind::Humidity;
    case D::Degrees:
        return ReportKind::Degrees;
    case D::Rain:
        return ReportKind::Rain;
    case D::HighRainRate:
        return ReportKind::RainRate;
    case D::WindSpeed:
        return ReportKind::Wind;
    case D::BarometerOffset:
        return ReportKind::Barometer;
    case D::Et:
    case D::AverageEt:
        return ReportKind::Hundredths;
    case D::Tenths:
    case D::DegreeDays:
    case D::WindRun:
    case D::AverageSolarRadiation:
    case D::AverageWindRun:
    case D::AverageDegreeDays:
        return ReportKind::Tenths;
    default:
        return ReportKind::Whole;
    }
}

std::string twoDigits(int n)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

// "2026-06-15 14:35"; the classic models keep no year: "06-15 14:35".
std::optional<std::string> timeText(const station::TimeReading& reading)
{
    if (reading.result != station::kDone)
        return std::nullopt;
    const station::RecordTime& t = reading.time;
    std::string date = twoDigits(t.month) + '-' + twoDigits(t.day);
    if (t.year != 0)
        date = std::to_string(t.year) + '-' + date;
    return date + ' ' + twoDigits(t.hour) + ':' + twoDigits(t.minute);
}

std::string capitalized(std::string_view name)
{
    std::string s(name);
    if (!s.empty())
        s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
}

void addTimes(std::vector<ReportItem>& items, std::string_view name, const station::HighLowTimes& t)
{
    if (t.high)
        items.push_back(text("high" + capitalized(name) + "Time", timeText(*t.high)));
    if (t.low)
        items.push_back(text("low" + capitalized(name) + "Time", timeText(*t.low)));
}

ReportSection derivedSection(double outsideTemp, int outsideHum, double windSpeed, int windDir,
                             const units::UnitsSelection& units)
{
    const station::DerivedWeather d =
        station::deriveWeather(outsideTemp, outsideHum, windSpeed, units);
    const std::string_view point = station::compassText(windDir);
    return ReportSection{
        "derived",
        "Derived values",
        {number("dewPoint", ReportKind::Temperature, d.dewPoint),
         number("windChill", ReportKind::Temperature, d.windChill),
         number("thermalIndex", ReportKind::Temperature, d.thermalIndex),
         text("windCompassPoint",
              point == station::missingText() ? std::nullopt : std::optional<std::string>(point))}};
}

// The station-memory values of the family, its barometer trend and clock, and
// the times of the day's highs and lows, read one by one.
template <class Value, class TimeOf, class Memory, class TimeSpecs>
std::vector<ReportSection>
memorySections(Memory& memory, std::span<const station::MemoryValueSpec> specs, TimeSpecs timeSpecs)
{
    ReportSection values{"memory", "Station memory", {}};
    for (std::size_t i = 0; i < specs.size(); ++i)
        values.items.push_back(number(std::string(specs[i].name), kindOf(specs[i].decoding),
                                      memory.read(static_cast<Value>(i))));
    const std::optional<std::string_view> trend = station::trendText(memory.readBarometerTrend());
    values.items.push_back(
        text("barometerTrend", trend ? std::optional<std::string>(*trend) : std::nullopt));
    values.items.push_back(text("stationTime", timeText(memory.readStationTime())));
    ReportSection times{"times", "Times of the day's highs and lows", {}};
    for (std::size_t i = 0; i < timeSpecs.size(); ++i)
        addTimes(times.items, timeSpecs[i].name, memory.readTimes(static_cast<TimeOf>(i)));
    return {values, times};
}

int decimalsOf(ReportKind kind)
{
    switch (kind) {
    case ReportKind::Temperature:
    case ReportKind::Wind:
    case ReportKind::Tenths:
        return 1;
    case ReportKind::Barometer:
    case ReportKind::Rain:
    case ReportKind::RainRate:
    case ReportKind::Hundredths:
        return 2;
    default:
        return 0;
    }
}

std::string unitOf(ReportKind kind, const units::UnitsSelection& units)
{
    using station::Quantity;
    switch (kind) {
    case ReportKind::Temperature:
        return unitLabel(Quantity::Temperature, units);
    case ReportKind::Humidity:
        return unitLabel(Quantity::Humidity, units);
    case ReportKind::Barometer:
        return unitLabel(Quantity::Barometer, units);
    case ReportKind::Wind:
        return unitLabel(Quantity::WindSpeed, units);
    case ReportKind::Degrees:
        return unitLabel(Quantity::WindDirection, units);
    case ReportKind::Rain:
        return unitLabel(Quantity::Rain, units);
    case ReportKind::RainRate:
        return unitLabel(Quantity::RainRate, units);
    default:
        return "";
    }
}

std::string withUnit(const std::string& number, const std::string& unit)
{
    return unit.empty() ? number : number + ' ' + unit;
}

std::string jsonValue(const ReportItem& item)
{
    if (item.text)
        return '"' + *item.text + '"';
    if (item.value.present())
        return station::valueText(item.value, decimalsOf(item.kind));
    return "null";
}

} // namespace

std::vector<ReportSection> tirrelReport(station::TirrelConditionsReader& reader,
                                        const station::TirrelConditions& c)
{
    std::vector<ReportSection> report{{"conditions",
                                       "Current conditions",
                                       {number("airTemp", ReportKind::Temperature, c.airTemp),
                                        number("soilTemp", ReportKind::Temperature, c.soilTemp),
                                        number("outsideHum", ReportKind::Humidity, c.outsideHum),
                                        number("barometer", ReportKind::Barometer, c.barometer),
                                        number("windSpeed", ReportKind::Wind, c.windSpeed),
                                        number("windDir", ReportKind::Degrees, c.windDir),
                                        number("rain", ReportKind::Rain, c.rain),
                                        number("rainRate", ReportKind::RainRate, c.rainRate),
                                        number("solarRad", ReportKind::Whole, c.solarRad),
                                        number("windRun", ReportKind::Tenths, c.windRun),
                                        number("et", ReportKind::Hundredths, c.et),
                                        number("degreeDays", ReportKind::Tenths, c.degreeDays),
                                        number("solarEnergy", ReportKind::Tenths, c.solarEnergy),
                                        number("leafWetness", ReportKind::Whole, c.leafWetness),
                                        number("rawWord", ReportKind::Raw, c.rawWord),
                                        number("rawByte", ReportKind::Raw, c.rawByte),
                                        number("rawCounter", ReportKind::Raw, c.rawCounter)}}};
    for (ReportSection& s : memorySections<station::TirrelValue, station::TirrelTimeOf>(
             reader.memory(), station::tirrelMemoryValues(), station::tirrelTimes()))
        report.push_back(std::move(s));
    report.push_back(
        derivedSection(c.airTemp, c.outsideHum, c.windSpeed, c.windDir, reader.units().selection));
    return report;
}

std::vector<ReportSection> classicReport(station::ClassicConditionsReader& reader,
                                         const station::ClassicConditions& c)
{
    std::vector<ReportSection> report{
        {"conditions",
         "Current conditions",
         {number("outsideTemp", ReportKind::Temperature, c.outsideTemp),
          number("insideTemp", ReportKind::Temperature, c.insideTemp),
          number("insideHum", ReportKind::Humidity, c.insideHum),
          number("outsideHum", ReportKind::Humidity, c.outsideHum),
          number("barometer", ReportKind::Barometer, c.barometer),
          number("windSpeed", ReportKind::Wind, c.windSpeed),
          number("windDir", ReportKind::Degrees, c.windDir),
          number("rain", ReportKind::Rain, c.rain)}}};
    for (ReportSection& s : memorySections<station::ClassicValue, station::ClassicTimeOf>(
             reader.memory(), station::classicMemoryValues(), station::classicTimes()))
        report.push_back(std::move(s));
    report.push_back(derivedSection(c.outsideTemp, c.outsideHum, c.windSpeed, c.windDir,
                                    reader.units().selection));
    return report;
}

void printReportJson(const std::string& head, const std::vector<ReportSection>& report,
                     const units::UnitsSelection& units, std::ostream& out)
{
    out << "{\n"
        << head << "  \"units\": {\"temperature\": \"" << units::unitLabel(units.temperature)
        << "\", \"rain\": \"" << units::unitLabel(units.rain) << "\", \"barometer\": \""
        << units::unitLabel(units.barometer) << "\", \"wind\": \"" << units::unitLabel(units.wind)
        << "\"}";
    for (const ReportSection& section : report) {
        out << ",\n  \"" << section.key << "\": {";
        for (std::size_t i = 0; i < section.items.size(); ++i)
            out << (i == 0 ? "\n" : ",\n") << "    \"" << section.items[i].name
                << "\": " << jsonValue(section.items[i]);
        out << "\n  }";
    }
    out << "\n}\n";
}

void printReportText(const std::string& head, const std::vector<ReportSection>& report,
                     const units::UnitsSelection& units, std::ostream& out)
{
    constexpr int kNameWidth = 26;
    out << head;
    for (const ReportSection& section : report) {
        out << '\n' << section.title << '\n';
        for (const ReportItem& item : section.items) {
            std::string value(station::missingText());
            if (item.text)
                value = *item.text;
            else if (item.value.present())
                value = withUnit(station::valueText(item.value, decimalsOf(item.kind)),
                                 unitOf(item.kind, units));
            std::string name = item.name;
            name.resize(std::max<std::size_t>(name.size(), kNameWidth), ' ');
            out << "  " << name << value << '\n';
        }
    }
}

} // namespace bv::cli
