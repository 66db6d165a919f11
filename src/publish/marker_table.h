#pragma once

#include <span>
#include <string_view>
#include <variant>

#include "station/conditions.h"
#include "station/station_memory_classic.h"
#include "station/station_memory_tirrel.h"

namespace bv::publish {

// How a marker's value is printed.
enum class MarkerFormat {
    OneDecimal,      // "%.1f"
    TwoDecimals,     // "%.2f"
    Whole,           // "%d", the value truncated
    Text,            // compass point or trend word
    DateAndTime,     // short date, a blank, time
    Date,            // short date
    Time,            // hours and minutes
    TimeWithSeconds, // hours, minutes and seconds
};

// Values worked out here rather than read from one field or accessor.
enum class DerivedSource {
    ThermalIndex,   // classic: from the record; Tirrel: the station's, else airTemp
    CompassPoint,   // the name of the record's wind direction
    BarometerTrend, // "steady", "rising", "falling"
    StationDate,    // the station clock
    StationTime,
    ComputerDate, // the computer's clock at the moment of expansion
    ComputerTime,
};

enum class Extreme { High, Low };

// The date and time of a day's high or low.
template <class TimeOf> struct ExtremeTime {
    TimeOf which;
    Extreme extreme;
};

template <class Record> using RecordField = double (*)(const Record&);

using ClassicSource = std::variant<RecordField<station::ClassicConditions>, station::ClassicValue,
                                   ExtremeTime<station::ClassicTimeOf>, DerivedSource>;
using TirrelSource = std::variant<RecordField<station::TirrelConditions>, station::TirrelValue,
                                  ExtremeTime<station::TirrelTimeOf>, DerivedSource>;

template <class Source> struct Marker {
    std::string_view text; // lower case, delimiters included: "<!--outtemp-->"
    Source source;
    MarkerFormat format;
};

// The markers each family knows, in the order of the marker documentation.
std::span<const Marker<ClassicSource>> classicMarkers();
std::span<const Marker<TirrelSource>> tirrelMarkers();

} // namespace bv::publish
