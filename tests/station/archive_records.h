#pragma once

#include <cstdint>
#include <vector>

#include "station/archive_record.h"

// Archive records built byte by byte as the stations log them, for the
// decoder and file tests.
namespace bv::station::testing {

struct TirrelRecordFields {
    int barometer = 0x8000, humidity = 128, wind = 0, highWind = 0, direction = 255, rainTips = 0;
    int soil = 2047, air = 2047;
    int hour = 0, minute = 0, day = 1, month = 1; // written as BCD (month binary)
    int highAir = 2047, lowAir = 2047, degreeDays = 32767, et = 0xFFFF, windRun = 0;
    int solar = 4000, energy = 32767, rainRate = 255;
};

struct ClassicRecordFields {
    int barometer = 0x8000, insideHum = 128, outsideHum = 128, rainTips = 0;
    int inside = 0x7FFF, outside = 0x7FFF, wind = 0, direction = 255, highOutside = 0x7FFF;
    int highWind = 0, hour = 0, minute = 0, day = 1, month = 1, lowOutside = 0x7FFF;
};

std::vector<std::uint8_t> tirrelRecord(const TirrelRecordFields& f);
std::vector<std::uint8_t> classicRecord(const ClassicRecordFields& f);

// The offsets both golden files were made with.
ArchiveDecoding tirrelDecoding();
ArchiveDecoding classicDecoding();

} // namespace bv::station::testing
