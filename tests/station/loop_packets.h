#pragma once

#include <cstdint>
#include <vector>

// LOOP packets as a station sends them, built from raw fields, for the decoder
// and poll tests.
namespace bv::station::testing {

struct TirrelLoopFields {
    std::int16_t rawWord = 0x1234;
    std::uint8_t rawByte = 0x85;
    std::int16_t soilTemp = 725; // tenths of °F
    std::int16_t airTemp = 681;
    std::uint8_t windSpeed = 12; // mph
    std::int16_t windDir = 270;
    std::uint16_t barometer = 29920; // thousandths of inHg
    std::uint8_t rainRate = 5;       // tenths of an inch per hour
    std::uint8_t outsideHum = 55;
    std::uint16_t rain = 123; // tips
    std::int16_t solarRad = 850;
    std::uint32_t windRun = 12345;  // 24 bits, tenths
    std::uint16_t et = 37;          // hundredths
    std::uint32_t degreeDays = 250; // 24 bits, tenths of °F
    std::uint32_t solarEnergy = 5000;
    std::uint32_t rawCounter = 0x123456;
    std::uint8_t leafByte = 0;
};

struct ClassicLoopFields {
    std::uint8_t start = 0x01;
    std::int16_t insideTemp = 705;
    std::int16_t outsideTemp = 452;
    std::uint8_t windSpeed = 7;
    std::int16_t windDir = 45;
    std::uint16_t barometer = 30012;
    std::uint8_t insideHum = 40;
    std::uint8_t outsideHum = 88;
    std::uint16_t rain = 250;
};

// 36 bytes: 0x01, the fields, the CRC of bytes 1-33 high byte first.
std::vector<std::uint8_t> tirrelLoopPacket(const TirrelLoopFields& fields);
// 18 bytes: the start byte, the fields, two unused bytes, the CRC of bytes 1-15.
std::vector<std::uint8_t> classicLoopPacket(const ClassicLoopFields& fields);

} // namespace bv::station::testing
