#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "station/conditions_units.h"
#include "station/loop_packet.h"

namespace bv::station {

// A value of an archive record: nothing when the station marked it missing.
using ArchiveValue = std::optional<double>;

// When a record was logged. The station keeps no year; hour, minute and day
// come as two BCD digits, the month in the low four bits of its byte.
struct ArchiveStamp {
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    // A real day of the year and time of day (a record never written holds noise).
    bool valid() const;
};

// What a record needs besides its bytes: the user's units, the calibration
// offsets in those units and in °F (the derived columns work in °F), and
// whether a Tirrel station has a leaf-wetness sensor in its probe socket.
struct ArchiveDecoding {
    ConditionsUnits units;
    CalibrationOffsets offsets;
    CalibrationOffsets offsetsF;
    bool leafSensor = false;
};

// A Tirrel record (32 bytes) in the user's units, calibrated.
struct TirrelArchiveRecord {
    ArchiveStamp stamp;
    ArchiveValue airTemp, highAirTemp, lowAirTemp, soilTemp;
    ArchiveValue outsideHum, leafWetness, solarRad, solarEnergy, degreeDays;
    ArchiveValue barometer, windSpeed, highWindSpeed;
    std::optional<int> windDirection; // compass index 0..15
    ArchiveValue windChill, windRun, rain, rainRate, dewPoint, thermalIndex, et;
};

// An Ostrel II, Carrow III, Carrow II or Lunett record (21 bytes).
struct ClassicArchiveRecord {
    ArchiveStamp stamp;
    ArchiveValue insideTemp, outsideTemp, highOutsideTemp, lowOutsideTemp;
    ArchiveValue outsideHum, insideHum, dewPoint, windChill, barometer;
    ArchiveValue windSpeed, highWindSpeed;
    std::optional<int> windDirection;
    ArchiveValue rain;
};

inline constexpr std::size_t kTirrelRecordSize = 32;
inline constexpr std::size_t kClassicRecordSize = 21;

// The decoders read exactly their record size; the caller passes whole records.
TirrelArchiveRecord decodeTirrelRecord(std::span<const std::uint8_t, kTirrelRecordSize> bytes,
                                       const ArchiveDecoding& decoding);
ClassicArchiveRecord decodeClassicRecord(std::span<const std::uint8_t, kClassicRecordSize> bytes,
                                         const ArchiveDecoding& decoding);

} // namespace bv::station
