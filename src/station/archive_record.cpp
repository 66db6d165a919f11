#include "station/archive_record.h"

#include <algorithm>
#include <cmath>

#include "station/derived_values.h"
#include "station/station_memory.h"

namespace bv::station {

namespace {

constexpr std::uint16_t kNoBarometer = 0x8000;
constexpr std::uint8_t kNoHumidity = 128;
constexpr std::uint8_t kNoDirection = 255;
constexpr int kCompassPoints = 16;
constexpr std::uint16_t kNoEt = 0xFFFF;
constexpr int kNoSolarEnergy = 32767;
constexpr int kNoDegreeDaysHigh = 32767;
constexpr int kNoDegreeDaysLow = -32768;
constexpr int kMaxSolarRadiation = 3000;
constexpr std::uint8_t kNoRainRate = 255;
constexpr int kMaxLeafWetness = 15;
constexpr std::uint8_t kMonthMask = 0x0F;
constexpr int kMinHumidity = 1;
constexpr int kMaxHumidity = 100;
constexpr double kTenth = 0.1;
constexpr double kTenthsPerUnit = 10.0;
constexpr double kHundredth = 0.01;
constexpr double kEtMillimetreFactor = 2.5;
constexpr double kMillimetresPerInch = 25.4;
constexpr int kMinutesPerHour = 60;
constexpr int kHoursPerDay = 24;
constexpr int kMonthsPerYear = 12;
constexpr int kMaxDay = 31;

std::uint16_t word(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

int signedWord(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::int16_t>(word(b, at));
}

// The temperature rule plus an offset; the family's markers give nothing.
ArchiveValue temperature(int raw, const ArchiveDecoding& d, float offset)
{
    if (units::isMissingRawTemperature(raw, d.units.family))
        return std::nullopt;
    return d.units.temperature(raw) + offset;
}

ArchiveValue barometer(std::uint16_t raw, const ArchiveDecoding& d)
{
    if (raw == kNoBarometer)
        return std::nullopt;
    return d.units.barometer(raw) + d.offsets.barometer;
}

std::optional<int> outsideHumidity(std::uint8_t raw, const ArchiveDecoding& d)
{
    if (raw == kNoHumidity)
        return std::nullopt;
    return std::clamp(raw + d.offsets.humidity, kMinHumidity, kMaxHumidity);
}

ArchiveValue asValue(std::optional<int> v)
{
    if (!v)
        return std::nullopt;
    return *v;
}

std::optional<int> compassIndexOf(std::uint8_t raw)
{
    if (raw == kNoDirection || raw >= kCompassPoints)
        return std::nullopt;
    return raw;
}

ArchiveStamp stampAt(std::span<const std::uint8_t> b, std::size_t hourAt)
{
    return ArchiveStamp{b[hourAt + 3] & kMonthMask, fromBcd(b[hourAt + 2]), fromBcd(b[hourAt]),
                        fromBcd(b[hourAt + 1])};
}

// A derived value in °F, held to tenths (half away from zero) and given in
// the user's temperature unit; the helpers' -100 means they could not tell.
ArchiveValue derivedTemperature(double valueF, const ArchiveDecoding& d)
{
    if (isMissing(valueF))
        return std::nullopt;
    const auto tenths = static_cast<int>(std::lround(valueF * kTenthsPerUnit));
    // Classic markers only: they lie far outside any derived value.
    return units::toTemperature(tenths, d.units.selection.temperature,
                                units::StationFamily::Classic);
}

struct DerivedInputs {
    std::optional<int> humidity;
    ArchiveValue temperatureF;
    int windMph = 0;
};

ArchiveValue derivedDewPoint(const DerivedInputs& in, const ArchiveDecoding& d)
{
    if (!in.humidity || !in.temperatureF)
        return std::nullopt;
    return derivedTemperature(dewPoint(*in.humidity, *in.temperatureF), d);
}

ArchiveValue derivedWindChill(const DerivedInputs& in, const ArchiveDecoding& d)
{
    if (!in.temperatureF)
        return std::nullopt;
    return derivedTemperature(windChill(in.windMph, *in.temperatureF), d);
}

ArchiveValue derivedThermalIndex(const DerivedInputs& in, const ArchiveDecoding& d)
{
    if (!in.humidity || !in.temperatureF)
        return std::nullopt;
    return derivedTemperature(thermalIndex(*in.humidity, *in.temperatureF), d);
}

// The raw temperature in °F with no offset; the family's markers give nothing.
ArchiveValue rawFahrenheit(int raw, units::StationFamily family)
{
    if (units::isMissingRawTemperature(raw, family))
        return std::nullopt;
    return raw * kTenth;
}

} // namespace

bool ArchiveStamp::valid() const
{
    return month >= 1 && month <= kMonthsPerYear && day >= 1 && day <= kMaxDay && hour >= 0 &&
           hour < kHoursPerDay && minute >= 0 && minute < kMinutesPerHour;
}

TirrelArchiveRecord decodeTirrelRecord(std::span<const std::uint8_t, kTirrelRecordSize> bytes,
                                       const ArchiveDecoding& d)
{
    const std::span<const std::uint8_t> b = bytes;
    TirrelArchiveRecord r;
    r.stamp = stampAt(b, 12);
    r.barometer = barometer(word(b, 0), d);
    const std::optional<int> humidity = outsideHumidity(b[2], d);
    r.outsideHum = asValue(humidity);
    r.windSpeed = d.units.windSpeed(b[3]);
    r.highWindSpeed = d.units.windSpeed(b[4]);
    r.windDirection = compassIndexOf(b[5]);
    r.rain = d.units.rain(word(b, 6));

    const int soil = signedWord(b, 8);
    if (d.leafSensor && soil >= 0 && soil <= kMaxLeafWetness)
        r.leafWetness = soil;
    else
        r.soilTemp = temperature(soil, d, d.offsets.otherTemp);

    const int air = signedWord(b, 10);
    r.airTemp = temperature(air, d, d.offsets.outsideTemp);
    r.highAirTemp = temperature(signedWord(b, 16), d, d.offsets.outsideTemp);
    r.lowAirTemp = temperature(signedWord(b, 18), d, d.offsets.outsideTemp);
    const int degreeDays = signedWord(b, 20);
    if (degreeDays != kNoDegreeDaysHigh && degreeDays != kNoDegreeDaysLow)
        r.degreeDays = std::trunc(d.units.temperatureDifference(degreeDays));
    if (word(b, 22) != kNoEt) {
        const double et =
            d.units.rainInMillimetres() ? word(b, 22) * kEtMillimetreFactor : word(b, 22);
        r.et = et * kHundredth;
    }
    r.windRun = word(b, 24);
    const int solar = signedWord(b, 26);
    if (solar >= 0 && solar <= kMaxSolarRadiation)
        r.solarRad = solar;
    if (signedWord(b, 28) != kNoSolarEnergy)
        r.solarEnergy = signedWord(b, 28) * kTenth;
    if (b[30] != kNoRainRate) {
        const double rate = d.units.rainInMillimetres() ? b[30] * kMillimetresPerInch : b[30];
        r.rainRate = rate * kTenth;
    }

    // The station works these out from the air temperature as logged, before
    // the user's offset.
    const DerivedInputs in{humidity, rawFahrenheit(air, units::StationFamily::Tirrel), b[3]};
    r.dewPoint = derivedDewPoint(in, d);
    r.windChill = derivedWindChill(in, d);
    r.thermalIndex = derivedThermalIndex(in, d);
    return r;
}

ClassicArchiveRecord decodeClassicRecord(std::span<const std::uint8_t, kClassicRecordSize> bytes,
                                         const ArchiveDecoding& d)
{
    const std::span<const std::uint8_t> b = bytes;
    ClassicArchiveRecord r;
    r.stamp = stampAt(b, 15);
    r.barometer = barometer(word(b, 0), d);
    if (b[2] != kNoHumidity)
        r.insideHum = std::clamp<int>(b[2], kMinHumidity, kMaxHumidity);
    const std::optional<int> humidity = outsideHumidity(b[3], d);
    r.outsideHum = asValue(humidity);
    r.rain = d.units.rain(word(b, 4));
    r.insideTemp = temperature(signedWord(b, 6), d, d.offsets.otherTemp);
    r.highOutsideTemp = temperature(signedWord(b, 12), d, d.offsets.outsideTemp);
    r.lowOutsideTemp = temperature(signedWord(b, 19), d, d.offsets.outsideTemp);
    const int outside = signedWord(b, 8);
    // An average without a high is a period the station did not measure.
    if (r.highOutsideTemp)
        r.outsideTemp = temperature(outside, d, d.offsets.outsideTemp);
    r.windSpeed = d.units.windSpeed(b[10]);
    r.windDirection = compassIndexOf(b[11]);
    r.highWindSpeed = d.units.windSpeed(b[14]);

    // The outside temperature as the file shows it, in °F.
    ArchiveValue outsideF;
    if (r.outsideTemp)
        outsideF = rawFahrenheit(outside, units::StationFamily::Classic);
    if (outsideF)
        *outsideF += d.offsetsF.outsideTemp;
    const DerivedInputs in{humidity, outsideF, b[10]};
    r.dewPoint = derivedDewPoint(in, d);
    r.windChill = derivedWindChill(in, d);
    return r;
}

} // namespace bv::station
