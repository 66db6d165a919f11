#include "station/station_memory_values.h"

#include <algorithm>
#include <cmath>

#include "station/result_codes.h"
#include "station/station_memory.h"

namespace bv::station {

namespace {

constexpr int kSignedByteWrap = 256;
constexpr std::uint32_t kLow20Bits = 0xFFFFF;
constexpr int kMinimumSamples = 16; // averages need more than 15 samples
constexpr double kAverageFactor = 1.6;
constexpr double kAverageScale = 16;
constexpr double kEtMillimetreSamples = 40;
constexpr double kEtMillimetreFactor = 2.5;
constexpr double kRainRateTipsPerHour = 7200;
constexpr int kNoRainRate = 1919;
constexpr double kMillimetresPerInch = 25.4;
constexpr int kMaxLeafWetness = 15;

bool isAverage(MemoryDecoding d)
{
    return d == MemoryDecoding::AverageSolarRadiation || d == MemoryDecoding::AverageWindRun ||
           d == MemoryDecoding::AverageEt || d == MemoryDecoding::AverageDegreeDays;
}

// The raw number the station's marker is compared with.
int rawNumberOf(MemoryDecoding d, std::uint32_t value, int nibbles)
{
    switch (d) {
    case MemoryDecoding::Temperature12:
        return signExtend12(value);
    case MemoryDecoding::TemperatureOffset:
        return nibbles == 3 ? signExtend12(value) : rawNumber(value, nibbles);
    case MemoryDecoding::AsIs:
    case MemoryDecoding::Temperature:
    case MemoryDecoding::BarometerOffset:
        return rawNumber(value, nibbles);
    case MemoryDecoding::SignedByte: {
        const auto low = static_cast<int>(value & 0xFF);
        return low >= kSignedByteWrap / 2 ? low - kSignedByteWrap : low;
    }
    case MemoryDecoding::WindRun:
    case MemoryDecoding::AverageWindRun:
        return static_cast<int>(value & kLow20Bits);
    default:
        return static_cast<int>(value);
    }
}

// A temperature difference that reads as exactly 0 whatever the unit.
double offsetValue(double value)
{
    return value == 0 ? 0.0 : value;
}

} // namespace

double decodeMemoryValue(const MemoryValueSpec& spec, std::span<const std::uint8_t> bytes,
                         std::span<const std::uint8_t> samples, const ConditionsUnits& units)
{
    // The one-nibble leaf wetness is judged by its whole reply byte, whose top
    // nibble is set when the station has no reading.
    const int nibbles = spec.decoding == MemoryDecoding::LeafWetness ? 2 : spec.at.nibbles;
    const int raw = rawNumberOf(spec.decoding, nibbleValue(bytes, nibbles), nibbles);
    if (spec.missing && raw == *spec.missing)
        return units::kMissingValue;
    const bool mm = units.rainInMillimetres();
    const double count = nibbleValue(samples, spec.samples.nibbles);
    if (isAverage(spec.decoding) && count < kMinimumSamples)
        return units::kMissingValue;

    switch (spec.decoding) {
    case MemoryDecoding::AsIs:
    case MemoryDecoding::SignedByte:
    case MemoryDecoding::Degrees:
        return raw;
    case MemoryDecoding::Percent:
        return std::min(raw, 100);
    case MemoryDecoding::LeafWetness:
        return raw > kMaxLeafWetness ? units::kMissingValue : raw;
    case MemoryDecoding::Tenths:
        return raw * 0.1;
    case MemoryDecoding::Rain:
        return units.rain(raw);
    case MemoryDecoding::Temperature:
    case MemoryDecoding::Temperature12:
        return units.temperature(raw);
    case MemoryDecoding::DegreeDays:
        return units.temperatureDifference(raw);
    case MemoryDecoding::TemperatureOffset:
        return offsetValue(units.temperatureDifference(raw));
    case MemoryDecoding::BarometerOffset:
        return offsetValue(-units.barometer(raw));
    case MemoryDecoding::WindSpeed:
        return units.windSpeed(raw);
    case MemoryDecoding::WindRun:
        return units.windSpeed(raw * 0.1);
    case MemoryDecoding::Et:
        return raw * (mm ? kEtMillimetreFactor : 1.0) * 0.01;
    case MemoryDecoding::HighRainRate:
        if (raw == 0 || raw == kNoRainRate)
            return 0.0;
        return units.collector.inchesPerTip() * kRainRateTipsPerHour / raw *
               (mm ? kMillimetresPerInch : 1.0);
    case MemoryDecoding::AverageSolarRadiation:
        return raw * kAverageFactor / count;
    case MemoryDecoding::AverageWindRun:
        return units.windSpeed(raw * kAverageFactor / count);
    case MemoryDecoding::AverageEt:
        return raw * (mm ? kEtMillimetreSamples : kAverageScale) / (count * 100);
    case MemoryDecoding::AverageDegreeDays: {
        const double sum = units.temperatureDifference(raw);
        return isMissing(sum) ? sum : sum * kAverageScale / count;
    }
    }
    return units::kMissingValue;
}

double readMemoryValue(MemoryReader& reader, const MemoryValueSpec& spec,
                       const ConditionsUnits& units)
{
    const double failed = spec.failureIsMissing ? units::kMissingValue : kNoAnswer;
    const auto bytes = reader.readMemory(spec.at);
    if (!bytes)
        return failed;
    std::vector<std::uint8_t> samples;
    if (isAverage(spec.decoding)) {
        auto count = reader.readMemory(spec.samples);
        if (!count)
            return failed;
        samples = std::move(*count);
    }
    return decodeMemoryValue(spec, *bytes, samples, units);
}

BarometerTrend readBarometerTrend(MemoryReader& reader, const MemoryLocation& at)
{
    const auto bytes = reader.readMemory(at);
    if (!bytes || bytes->empty())
        return BarometerTrend::NoAnswer;
    return decodeBarometerTrend(bytes->front());
}

std::optional<MemoryPair> readMemoryPair(MemoryReader& reader, const MemoryLocation& first,
                                         const MemoryLocation& second)
{
    auto a = reader.readMemory(first);
    if (!a)
        return std::nullopt;
    auto b = reader.readMemory(second);
    if (!b)
        return std::nullopt;
    return MemoryPair{std::move(*a), std::move(*b)};
}

TimeReading timeReadingOf(const std::optional<RecordTime>& time)
{
    if (!time)
        return TimeReading{kMissingValue, {}};
    return TimeReading{kDone, *time};
}

std::optional<CalibrationOffsets>
readCalibrationOffsets(MemoryReader& reader, const ConditionsUnits& units,
                       const std::array<MemoryValueSpec, 4>& offsets)
{
    std::array<double, 4> values{};
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        values[i] = readMemoryValue(reader, offsets[i], units);
        if (values[i] == kNoAnswer || isMissing(values[i]))
            return std::nullopt;
    }
    return CalibrationOffsets{static_cast<float>(values[0]), static_cast<float>(values[1]),
                              static_cast<int>(values[2]), static_cast<float>(values[3])};
}

} // namespace bv::station
