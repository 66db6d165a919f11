#include "station/loop_packet.h"

#include <algorithm>

#include "station/crc16.h"
#include "station/protocol_bytes.h"

namespace bv::station {

namespace {

constexpr int kMissingHumidity = 128;
constexpr int kTirrelMissingDirection = 2048;
constexpr int kClassicMissingDirection = -32768;
constexpr int kMissingRainRate = 255;
constexpr int kMissingSolarRadiation = 4095;
constexpr std::uint8_t kLeafWetnessPresent = 0x40;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kEtMillimetreFactor = 2.5;

std::uint32_t unsignedAt(std::span<const std::uint8_t> p, std::size_t offset, std::size_t bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = bytes; i-- > 0;)
        value = (value << 8) | p[offset + i];
    return value;
}

int wordAt(std::span<const std::uint8_t> p, std::size_t offset)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(unsignedAt(p, offset, 2)));
}

std::int16_t humidity(std::uint8_t raw)
{
    return raw == kMissingHumidity ? kMissingInt : static_cast<std::int16_t>(raw);
}

std::int16_t direction(int raw, int marker)
{
    return raw == marker ? kMissingInt : static_cast<std::int16_t>(raw);
}

// Checks the CRC over the packet without its start byte.
bool crcPasses(std::span<const std::uint8_t> packet)
{
    return crc16(packet.subspan(1)) == 0;
}

float addUnlessMissing(float value, float offset)
{
    return isMissing(value) ? value : value + offset;
}

std::int16_t calibratedHumidity(std::int16_t value, int offset)
{
    if (value == kMissingInt)
        return value;
    return static_cast<std::int16_t>(std::clamp(value + offset, 0, 100));
}

} // namespace

LoopDecode<TirrelConditions> decodeTirrelLoop(std::span<const std::uint8_t> p,
                                              const ConditionsUnits& units)
{
    if (p.size() < kTirrelLoopSize)
        return {kNoAnswer, {}};
    if (p[0] != protocol::kStartOfHeader)
        return {kBadPacketStart, {}};
    if (!crcPasses(p.first(kTirrelLoopSize)))
        return {kTirrelCrcError, {}};

    TirrelConditions c;
    c.rawWord = static_cast<std::int16_t>(wordAt(p, 1));
    c.rawByte = static_cast<std::int8_t>(p[3]);
    c.soilTemp = units.temperature(wordAt(p, 4));
    c.airTemp = units.temperature(wordAt(p, 6));
    c.windSpeed = units.windSpeed(p[8]);
    c.windDir = direction(wordAt(p, 9), kTirrelMissingDirection);
    c.barometer = units.barometer(static_cast<int>(unsignedAt(p, 11, 2)));
    const double rateFactor = units.rainInMillimetres() ? kMillimetresPerInch : 1.0;
    c.rainRate = p[13] == kMissingRainRate ? units::kMissingValue
                                           : static_cast<float>(p[13] * rateFactor * 0.1);
    c.outsideHum = humidity(p[14]);
    c.rain = units.rain(unsignedAt(p, 15, 2));
    const int solar = wordAt(p, 17);
    c.solarRad = solar == kMissingSolarRadiation ? kMissingInt : static_cast<std::int16_t>(solar);
    c.windRun = static_cast<float>(unsignedAt(p, 19, 3) * 0.1);
    const double etFactor = units.rainInMillimetres() ? kEtMillimetreFactor : 1.0;
    c.et = static_cast<float>(unsignedAt(p, 22, 2) * etFactor * 0.01);
    c.degreeDays = units.temperatureDifference(static_cast<int>(unsignedAt(p, 24, 3)));
    c.solarEnergy = static_cast<float>(unsignedAt(p, 27, 3) * 0.1);
    c.rawCounter = unsignedAt(p, 30, 3);
    if ((p[33] & kLeafWetnessPresent) != 0) {
        c.leafWetness = static_cast<std::int16_t>(p[33] & 0x0F);
        c.soilTemp = units::kMissingValue;
    } else {
        c.leafWetness = kMissingInt;
    }
    return {kDone, c};
}

LoopDecode<ClassicConditions> decodeClassicLoop(std::span<const std::uint8_t> p,
                                                const ConditionsUnits& units)
{
    if (p.size() < kClassicLoopSize)
        return {kNoAnswer, {}};
    if (!crcPasses(p.first(kClassicLoopSize)))
        return {kClassicCrcError, {}};

    ClassicConditions c;
    c.insideTemp = units.temperature(wordAt(p, 1));
    c.outsideTemp = units.temperature(wordAt(p, 3));
    c.windSpeed = units.windSpeed(p[5]);
    c.windDir = direction(wordAt(p, 6), kClassicMissingDirection);
    c.barometer = units.barometer(static_cast<int>(unsignedAt(p, 8, 2)));
    c.insideHum = humidity(p[10]);
    c.outsideHum = humidity(p[11]);
    c.rain = units.rain(unsignedAt(p, 12, 2));
    return {kDone, c};
}

void applyCalibration(TirrelConditions& c, const CalibrationOffsets& offsets)
{
    c.airTemp = addUnlessMissing(c.airTemp, offsets.outsideTemp);
    c.soilTemp = addUnlessMissing(c.soilTemp, offsets.otherTemp);
    c.outsideHum = calibratedHumidity(c.outsideHum, offsets.humidity);
    c.barometer += offsets.barometer;
}

void applyCalibration(ClassicConditions& c, const CalibrationOffsets& offsets)
{
    c.outsideTemp = addUnlessMissing(c.outsideTemp, offsets.outsideTemp);
    c.insideTemp = addUnlessMissing(c.insideTemp, offsets.otherTemp);
    c.outsideHum = calibratedHumidity(c.outsideHum, offsets.humidity);
    c.barometer = addUnlessMissing(c.barometer, offsets.barometer);
}

} // namespace bv::station
