#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "publish/marker_scanner.h"
#include "publish/marker_table.h"
#include "station/conditions.h"
#include "station/station_memory_classic.h"
#include "station/station_memory_tirrel.h"
#include "units/regional_settings.h"
#include "units/units_selection.h"

namespace bv::publish {

// What the markers read: the current-conditions records as the last poll left
// them, and the station-memory accessors of both families (each marker of
// that kind is one exchange with the station).
struct MarkerStation {
    const station::CurrentConditions& conditions;
    station::ClassicMemory& classic;
    station::TirrelMemory& tirrel;
};

struct MarkerSettings {
    bool tirrel = false; // the configured model is a Tirrel (model code above 3)
    units::TemperatureUnit temperature = units::TemperatureUnit::Fahrenheit;
    units::RegionalSettings regional;
};

// Expands the markers of the configured family. Numbers are printed as they
// stand, the missing value -100 and the no-answer value -101 included, in the
// marker's format.
class TemplateMarkers {
  public:
    TemplateMarkers(MarkerStation station, MarkerSettings settings, const platform::Clock& clock);

    // The replacement of a whole marker ("<!--OutTemp-->"), compared without
    // regard to case; nothing (the marker stays) while the data is not valid,
    // for a marker the family does not know, and when the station did not
    // answer a date, time or trend read.
    std::optional<std::string> expandTag(std::string_view marker);
    // expandTag as the template conversion takes it, valid while this object lives.
    MarkerExpander expander();
    // Every marker of the configured family, in the order of docs/template-markers.md.
    std::vector<std::string_view> knownMarkers() const;

  private:
    template <class Source, class Record, class Memory>
    std::optional<std::string> expandFrom(std::span<const Marker<Source>> markers,
                                          const Record& record, Memory& memory);
    template <class Record, class Memory>
    std::optional<std::string> derived(DerivedSource source, MarkerFormat format,
                                       const Record& record, Memory& memory);
    std::optional<std::string> dateAndTime(const station::TimeReading& reading,
                                           MarkerFormat format) const;
    double thermalIndex(const station::ClassicConditions& record, station::ClassicMemory&) const;
    double thermalIndex(const station::TirrelConditions& record,
                        station::TirrelMemory& memory) const;

    MarkerStation station_;
    MarkerSettings settings_;
    const platform::Clock& clock_;
    std::string lowered_;
};

} // namespace bv::publish
