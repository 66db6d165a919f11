#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "station/conditions.h"
#include "station/conditions_reader.h"
#include "station/weather_values.h"
#include "units/units_selection.h"

namespace bv::cli {

// How a value of the poll report is printed: its decimals and unit.
enum class ReportKind {
    Temperature,
    Humidity,
    Barometer,
    Wind,
    Degrees,
    Rain,
    RainRate,
    Tenths,
    Hundredths,
    Whole,
    Raw, // carried unconverted; -100 is a value like any other
};

struct ReportItem {
    std::string name;
    ReportKind kind = ReportKind::Whole;
    station::WeatherValue value = station::WeatherValue::missing();
    std::optional<std::string> text; // a text value instead of a number
};

struct ReportSection {
    std::string_view key;   // JSON
    std::string_view title; // text
    std::vector<ReportItem> items;
};

// The record of the last poll, then every station-memory value of the family
// (read now over the open port), the times of the day's highs and lows, and the
// derived values.
std::vector<ReportSection> tirrelReport(station::TirrelConditionsReader& reader,
                                        const station::TirrelConditions& record);
std::vector<ReportSection> classicReport(station::ClassicConditionsReader& reader,
                                         const station::ClassicConditions& record);

// head: the text first printed (text) or the first members of the object (JSON).
void printReportText(const std::string& head, const std::vector<ReportSection>& report,
                     const units::UnitsSelection& units, std::ostream& out);
void printReportJson(const std::string& head, const std::vector<ReportSection>& report,
                     const units::UnitsSelection& units, std::ostream& out);

} // namespace bv::cli
