#include "loop_packets.h"

#include <span>

#include "station/crc16.h"

namespace bv::station::testing {

namespace {

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putWord(std::vector<std::uint8_t>& out, std::int16_t value)
{
    putLittleEndian(out, static_cast<std::uint16_t>(value), 2);
}

void appendCrc(std::vector<std::uint8_t>& packet)
{
    const std::uint16_t crc = crc16(std::span(packet).subspan(1));
    packet.push_back(static_cast<std::uint8_t>(crc >> 8));
    packet.push_back(static_cast<std::uint8_t>(crc & 0xFF));
}

} // namespace

std::vector<std::uint8_t> tirrelLoopPacket(const TirrelLoopFields& f)
{
    std::vector<std::uint8_t> p{0x01};
    putWord(p, f.rawWord);
    p.push_back(f.rawByte);
    putWord(p, f.soilTemp);
    putWord(p, f.airTemp);
    p.push_back(f.windSpeed);
    putWord(p, f.windDir);
    putLittleEndian(p, f.barometer, 2);
    p.push_back(f.rainRate);
    p.push_back(f.outsideHum);
    putLittleEndian(p, f.rain, 2);
    putWord(p, f.solarRad);
    putLittleEndian(p, f.windRun, 3);
    putLittleEndian(p, f.et, 2);
    putLittleEndian(p, f.degreeDays, 3);
    putLittleEndian(p, f.solarEnergy, 3);
    putLittleEndian(p, f.rawCounter, 3);
    p.push_back(f.leafByte);
    appendCrc(p);
    return p;
}

std::vector<std::uint8_t> classicLoopPacket(const ClassicLoopFields& f)
{
    std::vector<std::uint8_t> p{f.start};
    putWord(p, f.insideTemp);
    putWord(p, f.outsideTemp);
    p.push_back(f.windSpeed);
    putWord(p, f.windDir);
    putLittleEndian(p, f.barometer, 2);
    p.push_back(f.insideHum);
    p.push_back(f.outsideHum);
    putLittleEndian(p, f.rain, 2);
    putLittleEndian(p, 0, 2);
    appendCrc(p);
    return p;
}

} // namespace bv::station::testing
