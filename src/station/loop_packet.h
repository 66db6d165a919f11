#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "station/conditions.h"
#include "station/conditions_units.h"
#include "station/result_codes.h"

namespace bv::station {

// One LOOP packet as the station sends it after an acknowledged "LOOP": 36 bytes
// from a Tirrel (start byte 0x01, CRC over bytes 1-35), 18 bytes from the other
// models (start byte not checked, CRC over bytes 1-17). The CRC is sent high
// byte first, so the CRC over the data and the CRC bytes is 0.
inline constexpr std::size_t kTirrelLoopSize = 36;
inline constexpr std::size_t kClassicLoopSize = 18;

// result: kDone; kNoAnswer when bytes are missing; kBadPacketStart or
// kTirrelCrcError from a Tirrel, kClassicCrcError from the other models.
template <class Record> struct LoopDecode {
    int result = kNoAnswer;
    Record conditions{}; // filled only when result is kDone
};

// Decodes a packet into the user's units, before calibration. A packet shorter
// than its size counts as one whose last bytes never came.
LoopDecode<TirrelConditions> decodeTirrelLoop(std::span<const std::uint8_t> packet,
                                              const ConditionsUnits& units);
LoopDecode<ClassicConditions> decodeClassicLoop(std::span<const std::uint8_t> packet,
                                                const ConditionsUnits& units);

// The station's calibration offsets in the user's units.
struct CalibrationOffsets {
    float outsideTemp = 0; // outside (air) temperature
    float otherTemp = 0;   // inside temperature, or soil temperature on a Tirrel
    int humidity = 0;      // outside humidity, percent
    float barometer = 0;
};

// Adds the offsets to the values that are not missing; outside humidity is held
// to 0..100.
void applyCalibration(TirrelConditions& conditions, const CalibrationOffsets& offsets);
void applyCalibration(ClassicConditions& conditions, const CalibrationOffsets& offsets);

} // namespace bv::station
