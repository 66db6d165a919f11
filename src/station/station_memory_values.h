#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "station/conditions_units.h"
#include "station/loop_packet.h"
#include "station/station_memory.h"
#include "station/station_models.h"

namespace bv::station {

// Reads station memory for the accessors: the link's "WRD" in the programs, a
// byte map in tests.
class MemoryReader {
  public:
    virtual ~MemoryReader() = default;
    // The ceil(n/2) bytes of the value, or nothing when the station did not answer.
    virtual std::optional<std::vector<std::uint8_t>> readMemory(const MemoryLocation& at) = 0;
};

// How the raw number of a memory value becomes a value in the user's units.
enum class MemoryDecoding {
    AsIs,                  // the number itself (4 nibbles signed)
    SignedByte,            // the low byte, 128 and above counting as value - 256
    Degrees,               // wind direction, whole degrees
    Percent,               // humidity; above 100 reads as 100
    LeafWetness,           // the whole reply byte: 0..15, 16 or more when no sensor
    Tenths,                // x 0.1
    Rain,                  // collector tips
    Temperature,           // tenths of °F; 4 nibbles signed, 3 nibbles unsigned
    Temperature12,         // tenths of °F in the low 12 bits, sign-extended
    DegreeDays,            // temperature difference, unsigned
    TemperatureOffset,     // signed temperature difference (12 bits sign-extended when 3 nibbles)
    BarometerOffset,       // thousandths of inHg, sign inverted
    WindSpeed,             // mph
    WindRun,               // tenths of a mile (low 20 bits of a 5-nibble value)
    Et,                    // hundredths (x 2.5 first in millimetres)
    HighRainRate,          // 7200 / value tips per hour; 0 and 1919 mean no rain
    AverageSolarRadiation, // sum x 1.6 / samples
    AverageWindRun,        // low 20 bits x 1.6 / samples, as a wind speed
    AverageEt,             // sum x 16 (x 40 in millimetres) / (samples x 100)
    AverageDegreeDays,     // difference sum x 16 / samples
};

struct MemoryValueSpec {
    std::string_view name; // lower camel case, e.g. "dailyRain"
    MemoryLocation at;
    MemoryDecoding decoding = MemoryDecoding::AsIs;
    std::optional<int> missing;    // the station's marker, compared with the raw number
    MemoryLocation samples{};      // averages: the count of samples behind the sum
    bool failureIsMissing = false; // a failed read gives -100 instead of -101
};

// The value in the user's units, or -100 for the station's missing marker;
// `samples` is used by the averages only.
double decodeMemoryValue(const MemoryValueSpec& spec, std::span<const std::uint8_t> bytes,
                         std::span<const std::uint8_t> samples, const ConditionsUnits& units);

// Reads and decodes; -101 when the station did not answer.
double readMemoryValue(MemoryReader& reader, const MemoryValueSpec& spec,
                       const ConditionsUnits& units);

// The barometer trend byte; NoAnswer when the station did not answer.
BarometerTrend readBarometerTrend(MemoryReader& reader, const MemoryLocation& at);

// Two values read one after the other; nothing when either read failed.
struct MemoryPair {
    std::vector<std::uint8_t> first;
    std::vector<std::uint8_t> second;
};
std::optional<MemoryPair> readMemoryPair(MemoryReader& reader, const MemoryLocation& first,
                                         const MemoryLocation& second);

// kDone with the time, or kMissingValue when the station holds none.
TimeReading timeReadingOf(const std::optional<RecordTime>& time);

// The four calibration offsets, read in the order outside temperature, inside
// (or soil) temperature, humidity, barometer; nothing as soon as one read fails
// or gives the missing marker.
std::optional<CalibrationOffsets>
readCalibrationOffsets(MemoryReader& reader, const ConditionsUnits& units,
                       const std::array<MemoryValueSpec, 4>& offsets);

} // namespace bv::station
