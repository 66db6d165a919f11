#pragma once

#include <cstdint>

#include "station/result_codes.h"
#include "units/conversions.h"

namespace bv::station {

// A missing sensor or reading: float fields hold units::kMissingValue (-100.0),
// 16-bit fields kMissingInt (-100).
inline constexpr std::int16_t kMissingInt = kMissingValue;

inline bool isMissing(double value)
{
    return value == static_cast<double>(units::kMissingValue);
}

// Current conditions of an Ostrel II, Carrow III, Carrow II or Lunett, in the
// user's units, calibration offsets applied.
struct ClassicConditions {
    float outsideTemp = 0;
    float insideTemp = 0;
    std::int16_t insideHum = 0;  // percent
    std::int16_t outsideHum = 0; // percent, 0..100
    float barometer = 0;
    float windSpeed = 0;
    std::int16_t windDir = 0; // degrees
    float rain = 0;           // total rain
};

// Current conditions of a Tirrel D or Tirrel E, in the user's units, calibration
// offsets applied.
struct TirrelConditions {
    std::int16_t rawWord = 0; // packet bytes 1-2, unconverted
    float airTemp = 0;
    float soilTemp = 0;
    std::int16_t outsideHum = 0; // percent, 0..100
    float barometer = 0;
    float windSpeed = 0;
    std::int16_t windDir = 0; // degrees
    float rain = 0;           // total rain
    float rainRate = 0;
    std::int16_t solarRad = 0; // as the station reports it
    float windRun = 0;         // raw tenths
    float et = 0;              // total evapotranspiration
    float degreeDays = 0;
    float solarEnergy = 0;        // raw tenths
    std::uint32_t rawCounter = 0; // packet bytes 30-32, unconverted
    std::int8_t rawByte = 0;      // packet byte 3, unconverted
    std::int16_t leafWetness = 0; // 0..15
};

// The records of both families as the program keeps them for the whole run; the
// configured model decides which one consumers read. dataValid is cleared by a
// port that does not open and by a station that does not answer, and consumers
// produce nothing from the records while it is clear.
struct CurrentConditions {
    ClassicConditions classic;
    TirrelConditions tirrel;
    bool dataValid = false;
};

} // namespace bv::station
