#include "station/station_memory_classic.h"

#include <array>

namespace bv::station {

namespace {

using D = MemoryDecoding;

constexpr int kHumidityHighMarker = 128;
constexpr int kHumidityLowMarker = 127;

constexpr MemoryLocation kTrend{0, 121, 1};

const std::array<MemoryValueSpec, 22> kValues = {{
    {"dailyRain", {1, 210, 4}, D::Rain, {}, {}, false},
    {"highInsideTemp", {1, 52, 4}, D::Temperature, {}, {}, false},
    {"lowInsideTemp", {1, 56, 4}, D::Temperature, {}, {}, false},
    {"highOutsideTemp", {1, 90, 4}, D::Temperature, {}, {}, false},
    {"lowOutsideTemp", {1, 94, 4}, D::Temperature, {}, {}, false},
    {"highInsideHum", {1, 130, 2}, D::Percent, {}, {}, false},
    {"lowInsideHum", {1, 132, 2}, D::Percent, {}, {}, false},
    {"highOutsideHum", {1, 154, 2}, D::Percent, kHumidityHighMarker, {}, false},
    {"lowOutsideHum", {1, 156, 2}, D::Percent, kHumidityLowMarker, {}, false},
    {"dewPoint", {0, 138, 4}, D::Temperature, {}, {}, false},
    {"highDewPoint", {0, 142, 4}, D::Temperature, {}, {}, false},
    {"lowDewPoint", {0, 146, 4}, D::Temperature, {}, {}, false},
    {"windChill", {0, 168, 4}, D::Temperature, {}, {}, false},
    {"lowWindChill", {0, 172, 4}, D::Temperature, {}, {}, false},
    {"highWindSpeed", {0, 96, 4}, D::WindSpeed, {}, {}, false},
    {"windDirection", {1, 180, 4}, D::Degrees, {}, {}, false},
    {"rainRate", {1, 206, 4}, D::Rain, {}, {}, false},
    {"insideTempOffset", {1, 82, 4}, D::TemperatureOffset, {}, {}, false},
    {"outsideTempOffset", {1, 120, 4}, D::TemperatureOffset, {}, {}, false},
    {"humidityOffset", {1, 218, 4}, D::AsIs, {}, {}, false},
    {"rainCalibration", {1, 214, 4}, D::SignedByte, {}, {}, false},
    {"barometerOffset", {1, 44, 4}, D::BarometerOffset, {}, {}, false},
}};

const std::array<ClassicTimeSpec, 7> kTimes = {{
    {"insideTemp", {1, 60, 8}, {1, 68, 6}, true, true},
    {"outsideTemp", {1, 98, 8}, {1, 106, 6}, true, true},
    {"insideHum", {1, 134, 8}, {1, 142, 6}, true, true},
    {"outsideHum", {1, 158, 8}, {1, 166, 6}, true, true},
    {"dewPoint", {0, 150, 8}, {0, 158, 6}, true, true},
    {"windSpeed", {0, 100, 4}, {0, 104, 3}, true, false},
    {"windChill", {0, 176, 4}, {0, 180, 3}, false, true},
}};

const MemoryValueSpec& spec(ClassicValue value)
{
    return kValues[static_cast<std::size_t>(value)];
}

} // namespace

std::span<const MemoryValueSpec> classicMemoryValues()
{
    return kValues;
}

std::span<const ClassicTimeSpec> classicTimes()
{
    return kTimes;
}

ClassicMemory::ClassicMemory(MemoryReader& reader, const ConditionsUnits& units)
    : reader_(reader), units_(units)
{
}

double ClassicMemory::read(ClassicValue value)
{
    return readMemoryValue(reader_, spec(value), units_);
}

BarometerTrend ClassicMemory::readBarometerTrend()
{
    return station::readBarometerTrend(reader_, kTrend);
}

HighLowTimes ClassicMemory::readTimes(ClassicTimeOf which)
{
    const ClassicTimeSpec& times = kTimes[static_cast<std::size_t>(which)];
    const auto bytes = readMemoryPair(reader_, times.times, times.dates);
    HighLowTimes result;
    if (!bytes) {
        const TimeReading failed{kNoAnswer, {}};
        if (times.hasHigh)
            result.high = failed;
        if (times.hasLow)
            result.low = failed;
    } else if (times.hasHigh && times.hasLow) {
        const ClassicTimePair pair = decodeClassicTimePair(bytes->first, bytes->second);
        result.high = timeReadingOf(pair.high);
        result.low = timeReadingOf(pair.low);
    } else {
        const TimeReading single = timeReadingOf(decodeClassicTime(bytes->first, bytes->second));
        (times.hasHigh ? result.high : result.low) = single;
    }
    return result;
}

TimeReading ClassicMemory::readStationTime()
{
    const StationMemoryMap& map = classicModel().memory;
    const auto bytes = readMemoryPair(reader_, map.clockTime, map.clockDate);
    if (!bytes)
        return TimeReading{kNoAnswer, {}};
    return timeReadingOf(decodeClassicTime(bytes->first, bytes->second));
}

std::optional<CalibrationOffsets> ClassicMemory::readCalibration()
{
    return readCalibrationOffsets(
        reader_, units_,
        {spec(ClassicValue::OutsideTempOffset), spec(ClassicValue::InsideTempOffset),
         spec(ClassicValue::HumidityOffset), spec(ClassicValue::BarometerOffset)});
}

} // namespace bv::station
