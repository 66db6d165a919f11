#include "publish/template_markers.h"

#include <algorithm>
#include <variant>

#include "station/derived_values.h"
#include "station/result_codes.h"
#include "station/weather_values.h"
#include "units/conversions.h"
#include "units/date_time.h"

namespace bv::publish {

namespace {

constexpr int kOneDecimal = 1;
constexpr int kTwoDecimals = 2;

template <class... F> struct Overloaded : F... {
    using F::operator()...;
};

// A number in the marker's format as it stands, markers included: one or two
// decimals, or the whole number ("%d" of the value truncated).
std::string formatNumber(double value, MarkerFormat format)
{
    switch (format) {
    case MarkerFormat::OneDecimal:
        return station::formatFixed(value, kOneDecimal);
    case MarkerFormat::TwoDecimals:
        return station::formatFixed(value, kTwoDecimals);
    default:
        return std::to_string(static_cast<int>(value));
    }
}

// The trend word; "" when the station shows no trend, nothing without an answer.
std::optional<std::string> trendWord(station::BarometerTrend trend)
{
    if (trend == station::BarometerTrend::NoAnswer)
        return std::nullopt;
    return std::string(station::trendText(trend).value_or(""));
}

} // namespace

TemplateMarkers::TemplateMarkers(MarkerStation station, MarkerSettings settings,
                                 const platform::Clock& clock)
    : station_(station), settings_(settings), clock_(clock)
{
}

std::optional<std::string> TemplateMarkers::expandTag(std::string_view marker)
{
    if (!station_.conditions.dataValid)
        return std::nullopt;
    lowered_.assign(marker);
    std::transform(lowered_.begin(), lowered_.end(), lowered_.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    if (settings_.tirrel)
        return expandFrom(tirrelMarkers(), station_.conditions.tirrel, station_.tirrel);
    return expandFrom(classicMarkers(), station_.conditions.classic, station_.classic);
}

MarkerExpander TemplateMarkers::expander()
{
    return [this](std::string_view marker) { return expandTag(marker); };
}

std::vector<std::string_view> TemplateMarkers::knownMarkers() const
{
    std::vector<std::string_view> texts;
    const auto add = [&texts](const auto& markers) {
        for (const auto& marker : markers)
            texts.push_back(marker.text);
    };
    if (settings_.tirrel)
        add(tirrelMarkers());
    else
        add(classicMarkers());
    return texts;
}

template <class Source, class Record, class Memory>
std::optional<std::string> TemplateMarkers::expandFrom(std::span<const Marker<Source>> markers,
                                                       const Record& record, Memory& memory)
{
    const auto found = std::find_if(markers.begin(), markers.end(),
                                    [this](const auto& m) { return m.text == lowered_; });
    if (found == markers.end())
        return std::nullopt;
    const MarkerFormat format = found->format;
    return std::visit(
        Overloaded{
            [&](RecordField<Record> field) -> std::optional<std::string> {
                return formatNumber(field(record), format);
            },
            [&](DerivedSource source) { return derived(source, format, record, memory); },
            [&](const auto& timeOrValue) -> std::optional<std::string> {
                if constexpr (requires { timeOrValue.extreme; }) {
                    const station::HighLowTimes times = memory.readTimes(timeOrValue.which);
                    const auto& reading =
                        timeOrValue.extreme == Extreme::High ? times.high : times.low;
                    if (!reading)
                        return std::nullopt;
                    return dateAndTime(*reading, format);
                } else {
                    return formatNumber(memory.read(timeOrValue), format);
                }
            },
        },
        found->source);
}

template <class Record, class Memory>
std::optional<std::string> TemplateMarkers::derived(DerivedSource source, MarkerFormat format,
                                                    const Record& record, Memory& memory)
{
    switch (source) {
    case DerivedSource::ThermalIndex:
        return formatNumber(thermalIndex(record, memory), format);
    case DerivedSource::CompassPoint:
        return std::string(station::compassText(record.windDir));
    case DerivedSource::BarometerTrend:
        return trendWord(memory.readBarometerTrend());
    case DerivedSource::StationDate:
    case DerivedSource::StationTime:
        return dateAndTime(memory.readStationTime(), format);
    case DerivedSource::ComputerDate:
    case DerivedSource::ComputerTime: {
        units::DateTime now;
        now.now(clock_);
        return format == MarkerFormat::Date ? now.shortDate(settings_.regional)
                                            : now.timeTextSeconds(settings_.regional);
    }
    }
    return std::nullopt;
}

std::optional<std::string> TemplateMarkers::dateAndTime(const station::TimeReading& reading,
                                                        MarkerFormat format) const
{
    if (reading.result == station::kNoAnswer)
        return std::nullopt;
    units::DateTime value;
    // The station holds no time: the placeholders of an invalid date and time.
    value.valid = reading.result == station::kDone;
    const station::RecordTime& time = reading.time;
    int year = time.year;
    if (year == 0) {
        // The classic models keep no year: this year, or last year for a month
        // still to come.
        const platform::WallTime today = clock_.localTime();
        year = time.month > today.month ? today.year - 1 : today.year;
    }
    value.setDate(time.month, time.day, year);
    value.hour = time.hour;
    value.minute = time.minute;
    value.joinMinutes();
    switch (format) {
    case MarkerFormat::Date:
        return value.shortDate(settings_.regional);
    case MarkerFormat::Time:
        return value.timeText(settings_.regional);
    default:
        return value.shortDate(settings_.regional) + " " + value.timeText(settings_.regional);
    }
}

double TemplateMarkers::thermalIndex(const station::ClassicConditions& record,
                                     station::ClassicMemory&) const
{
    const bool celsius = settings_.temperature == units::TemperatureUnit::Celsius;
    const double tempF =
        celsius ? units::celsiusToFahrenheit(record.outsideTemp) : record.outsideTemp;
    const double index = station::thermalIndex(record.outsideHum, tempF);
    if (station::isMissing(index))
        return record.outsideTemp;
    return celsius ? units::fahrenheitToCelsius(index) : index;
}

double TemplateMarkers::thermalIndex(const station::TirrelConditions& record,
                                     station::TirrelMemory& memory) const
{
    const double index = memory.read(station::TirrelValue::ThermalIndex);
    return station::isMissing(index) ? record.airTemp : index;
}

} // namespace bv::publish
