#pragma once

#include <span>
#include <string_view>

#include "platform/clock.h"
#include "station/conditions_units.h"
#include "station/loop_packet.h"
#include "station/station_memory.h"
#include "station/station_memory_values.h"

namespace bv::station {

// Station-memory values of the Tirrel D and Tirrel E. Highs and lows are those
// of the current day; averages are over the station's sample count.
enum class TirrelValue {
    DailyRain,
    LeafWetness,
    DailySolarRad,
    AverageSolarRad,
    ThermalIndex,
    DailyWindRun,
    TotalWindRun,
    AverageWindRun,
    DailyEt,
    AverageEt,
    DailyDegreeDays,
    AverageDegreeDays,
    DegreeDayBaseTemp,
    DegreeDayMaxTemp,
    HighSoilTemp,
    LowSoilTemp,
    HighAirTemp,
    LowAirTemp,
    HighOutsideHum,
    LowOutsideHum,
    DewPoint,
    WindChill,
    HighThermalIndex,
    LowWindChill,
    HighWindSpeed,
    WindDirection,
    HighRainRate,
    SoilTempOffset,
    AirTempOffset,
    HumidityOffset,
    RainCalibration,
    BarometerOffset,
    WindCalibration,
};

// Times of the day's highs and lows the Tirrel models keep, as time words.
enum class TirrelTimeOf {
    AirTemp, // high and low
    OutsideHum,
    LowWindChill,     // low only
    HighThermalIndex, // high only
    HighWindSpeed,
    HighRainRate,
};

struct TirrelTimeSpec {
    std::string_view name; // the quantity: "airTemp", "windSpeed" ...
    std::optional<MemoryLocation> high;
    std::optional<MemoryLocation> low;
};

// Indexed by TirrelValue and TirrelTimeOf.
std::span<const MemoryValueSpec> tirrelMemoryValues();
std::span<const TirrelTimeSpec> tirrelTimes();

// The accessors: each reads the station afresh and converts with the engine's
// current units and rain collector. Times count back from the computer's date.
class TirrelMemory {
  public:
    TirrelMemory(MemoryReader& reader, const ConditionsUnits& units, const platform::Clock& clock);

    // The value, -100 for the station's missing marker, -101 without an answer
    // (-100 for the daily ET).
    double read(TirrelValue value);
    BarometerTrend readBarometerTrend();
    HighLowTimes readTimes(TirrelTimeOf which);
    // The station clock with its year.
    TimeReading readStationTime();
    // Air, soil, humidity and barometer offsets; nothing when a read failed.
    std::optional<CalibrationOffsets> readCalibration();

  private:
    TimeReading readTimeWord(const MemoryLocation& at);

    MemoryReader& reader_;
    const ConditionsUnits& units_;
    const platform::Clock& clock_;
};

} // namespace bv::station
