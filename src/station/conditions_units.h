#pragma once

#include "station/rain_collector.h"
#include "units/conversions.h"

namespace bv::station {

// How an engine turns the station's raw numbers into the user's units: the units
// selection, the rain collector and the family whose temperature markers apply.
struct ConditionsUnits {
    units::StationFamily family = units::StationFamily::Classic;
    units::UnitsSelection selection;
    RainCollector collector;

    bool rainInMillimetres() const { return selection.rain == units::RainUnit::Millimetre; }

    // raw: tenths of °F; the family's markers give the missing value.
    float temperature(int raw) const
    {
        return units::toTemperature(raw, selection.temperature, family);
    }
    float temperatureDifference(int raw) const
    {
        return units::toTemperatureDifference(raw, selection.temperature, family);
    }
    // raw: thousandths of an inch of mercury.
    float barometer(int raw) const { return units::toBarometer(raw, selection.barometer); }
    float windSpeed(double mph) const { return units::toWindSpeed(mph, selection.wind); }
    // tips of the rain collector.
    float rain(double tips) const
    {
        return static_cast<float>(collector.toRain(tips, selection.rain));
    }
};

} // namespace bv::station
