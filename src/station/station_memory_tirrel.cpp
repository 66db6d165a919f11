#include "station/station_memory_tirrel.h"

#include <array>

namespace bv::station {

namespace {

using D = MemoryDecoding;

constexpr int kHighMarker = -2048; // no high yet today
constexpr int kLowMarker = 2047;   // no low yet today
constexpr int kHumidityHighMarker = 128;
constexpr int kHumidityLowMarker = 127;
constexpr int kMissingDirection = 2048;
constexpr int kMinutesPerHour = 60;

constexpr MemoryLocation kSampleCount{1, 176, 4};
constexpr MemoryLocation kTrend{0, 122, 1};

const std::array<MemoryValueSpec, 33> kValues = {{
    {"dailyRain", {1, 201, 3}, D::Rain, {}, {}, false},
    {"leafWetness", {1, 222, 1}, D::LeafWetness, {}, {}, false},
    {"dailySolarRad", {1, 187, 4}, D::Tenths, {}, {}, false},
    {"averageSolarRad", {1, 191, 4}, D::AverageSolarRadiation, {}, kSampleCount, false},
    {"thermalIndex", {1, 163, 4}, D::Temperature12, kLowMarker, {}, false},
    {"dailyWindRun", {0, 158, 4}, D::WindRun, {}, {}, false},
    {"totalWindRun", {0, 162, 5}, D::WindRun, {}, {}, false},
    {"averageWindRun", {0, 162, 5}, D::AverageWindRun, {}, kSampleCount, false},
    {"dailyEt", {0, 167, 3}, D::Et, {}, {}, true},
    {"averageEt", {0, 173, 4}, D::AverageEt, {}, kSampleCount, false},
    {"dailyDegreeDays", {1, 92, 3}, D::DegreeDays, {}, {}, false},
    {"averageDegreeDays", {1, 95, 4}, D::AverageDegreeDays, {}, kSampleCount, false},
    {"degreeDayBaseTemp", {1, 100, 3}, D::Temperature12, kLowMarker, {}, false},
    {"degreeDayMaxTemp", {1, 108, 3}, D::Temperature, kLowMarker, {}, false},
    {"highSoilTemp", {1, 51, 4}, D::Temperature12, kHighMarker, {}, false},
    {"lowSoilTemp", {1, 54, 4}, D::Temperature12, kLowMarker, {}, false},
    {"highAirTemp", {1, 69, 4}, D::Temperature12, kHighMarker, {}, false},
    {"lowAirTemp", {1, 72, 4}, D::Temperature12, kLowMarker, {}, false},
    {"highOutsideHum", {1, 117, 2}, D::Percent, kHumidityHighMarker, {}, false},
    {"lowOutsideHum", {1, 119, 2}, D::Percent, kHumidityLowMarker, {}, false},
    {"dewPoint", {0, 138, 3}, D::Temperature12, {}, {}, false},
    {"windChill", {0, 142, 3}, D::Temperature12, {}, {}, false},
    {"highThermalIndex", {1, 166, 4}, D::Temperature12, kHighMarker, {}, false},
    {"lowWindChill", {0, 145, 3}, D::Temperature12, kLowMarker, {}, false},
    {"highWindSpeed", {0, 98, 2}, D::WindSpeed, {}, {}, false},
    {"windDirection", {1, 139, 3}, D::Degrees, kMissingDirection, {}, false},
    {"highRainRate", {1, 214, 3}, D::HighRainRate, {}, {}, false},
    {"soilTempOffset", {1, 63, 3}, D::TemperatureOffset, {}, {}, false},
    {"airTempOffset", {1, 81, 3}, D::TemperatureOffset, {}, {}, false},
    {"humidityOffset", {1, 133, 2}, D::SignedByte, {}, {}, false},
    {"rainCalibration", {1, 207, 4}, D::AsIs, {}, {}, false},
    {"barometerOffset", {1, 32, 4}, D::BarometerOffset, {}, {}, false},
    {"windCalibration", {0, 106, 4}, D::AsIs, {}, {}, false},
}};

const std::array<TirrelTimeSpec, 6> kTimes = {{
    {"airTemp", MemoryLocation{1, 84, 4}, MemoryLocation{1, 88, 4}},
    {"outsideHum", MemoryLocation{1, 121, 4}, MemoryLocation{1, 125, 4}},
    {"windChill", std::nullopt, MemoryLocation{0, 148, 4}},
    {"thermalIndex", MemoryLocation{1, 169, 4}, std::nullopt},
    {"windSpeed", MemoryLocation{0, 100, 4}, std::nullopt},
    {"rainRate", MemoryLocation{1, 217, 4}, std::nullopt},
}};

const MemoryValueSpec& spec(TirrelValue value)
{
    return kValues[static_cast<std::size_t>(value)];
}

} // namespace

std::span<const MemoryValueSpec> tirrelMemoryValues()
{
    return kValues;
}

std::span<const TirrelTimeSpec> tirrelTimes()
{
    return kTimes;
}

TirrelMemory::TirrelMemory(MemoryReader& reader, const ConditionsUnits& units,
                           const platform::Clock& clock)
    : reader_(reader), units_(units), clock_(clock)
{
}

double TirrelMemory::read(TirrelValue value)
{
    return readMemoryValue(reader_, spec(value), units_);
}

BarometerTrend TirrelMemory::readBarometerTrend()
{
    return station::readBarometerTrend(reader_, kTrend);
}

TimeReading TirrelMemory::readTimeWord(const MemoryLocation& at)
{
    const auto bytes = reader_.readMemory(at);
    if (!bytes)
        return TimeReading{kNoAnswer, {}};
    const auto word = decodeTirrelTimeWord(static_cast<std::uint16_t>(nibbleValue(*bytes, 4)));
    if (!word)
        return TimeReading{kMissingValue, {}};
    const platform::WallTime now = clock_.localTime();
    RecordTime time = stepBackDays(now.year, now.month, now.day, word->daysAgo);
    time.hour = word->minuteOfDay / kMinutesPerHour;
    time.minute = word->minuteOfDay % kMinutesPerHour;
    return TimeReading{kDone, time};
}

HighLowTimes TirrelMemory::readTimes(TirrelTimeOf which)
{
    const TirrelTimeSpec& times = kTimes[static_cast<std::size_t>(which)];
    HighLowTimes result;
    if (times.high)
        result.high = readTimeWord(*times.high);
    if (times.low)
        result.low = readTimeWord(*times.low);
    return result;
}

TimeReading TirrelMemory::readStationTime()
{
    const StationMemoryMap& map = tirrelModel('E').memory;
    const auto bytes = readMemoryPair(reader_, map.clockTime, map.clockDate);
    if (!bytes)
        return TimeReading{kNoAnswer, {}};
    return timeReadingOf(decodeTirrelClock(bytes->first, bytes->second));
}

std::optional<CalibrationOffsets> TirrelMemory::readCalibration()
{
    return readCalibrationOffsets(
        reader_, units_,
        {spec(TirrelValue::AirTempOffset), spec(TirrelValue::SoilTempOffset),
         spec(TirrelValue::HumidityOffset), spec(TirrelValue::BarometerOffset)});
}

} // namespace bv::station
