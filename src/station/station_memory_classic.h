#pragma once

#include <span>
#include <string_view>

#include "station/conditions_units.h"
#include "station/loop_packet.h"
#include "station/station_memory.h"
#include "station/station_memory_values.h"

namespace bv::station {

// Station-memory values of the Ostrel II, Carrow III, Carrow II and Lunett.
// Highs and lows are those of the current day.
enum class ClassicValue {
    DailyRain,
    HighInsideTemp,
    LowInsideTemp,
    HighOutsideTemp,
    LowOutsideTemp,
    HighInsideHum,
    LowInsideHum,
    HighOutsideHum,
    LowOutsideHum,
    DewPoint,
    HighDewPoint,
    LowDewPoint,
    WindChill,
    LowWindChill,
    HighWindSpeed,
    WindDirection,
    RainRate, // the rain reading the rain rate is derived from
    InsideTempOffset,
    OutsideTempOffset,
    HumidityOffset,
    RainCalibration,
    BarometerOffset,
};

// Times of the day's highs and lows the classic models keep (month, day, hour,
// minute; no year).
enum class ClassicTimeOf {
    InsideTemp, // high and low
    OutsideTemp,
    InsideHum,
    OutsideHum,
    DewPoint,
    HighWindSpeed, // high only
    LowWindChill,  // low only
};

struct ClassicTimeSpec {
    std::string_view name; // the quantity: "airTemp", "windSpeed" ...
    MemoryLocation times;  // BCD hours and minutes
    MemoryLocation dates;  // BCD days and months
    bool hasHigh = true;
    bool hasLow = true;
};

// Indexed by ClassicValue and ClassicTimeOf.
std::span<const MemoryValueSpec> classicMemoryValues();
std::span<const ClassicTimeSpec> classicTimes();

// The accessors: each reads the station afresh and converts with the engine's
// current units and rain collector.
class ClassicMemory {
  public:
    ClassicMemory(MemoryReader& reader, const ConditionsUnits& units);

    // The value, -100 for the station's missing marker, -101 without an answer.
    double read(ClassicValue value);
    BarometerTrend readBarometerTrend();
    HighLowTimes readTimes(ClassicTimeOf which);
    // The station clock (no year).
    TimeReading readStationTime();
    // Outside, inside, humidity and barometer offsets; nothing when a read failed.
    std::optional<CalibrationOffsets> readCalibration();

  private:
    MemoryReader& reader_;
    const ConditionsUnits& units_;
};

} // namespace bv::station
