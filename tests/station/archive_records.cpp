#include "archive_records.h"

namespace bv::station::testing {

namespace {

void put16(std::vector<std::uint8_t>& b, int v)
{
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

std::uint8_t bcd(int v)
{
    return static_cast<std::uint8_t>(v / 10 * 16 + v % 10);
}

} // namespace

std::vector<std::uint8_t> tirrelRecord(const TirrelRecordFields& f)
{
    std::vector<std::uint8_t> b;
    put16(b, f.barometer);
    b.push_back(static_cast<std::uint8_t>(f.humidity));
    b.push_back(static_cast<std::uint8_t>(f.wind));
    b.push_back(static_cast<std::uint8_t>(f.highWind));
    b.push_back(static_cast<std::uint8_t>(f.direction));
    put16(b, f.rainTips);
    put16(b, f.soil);
    put16(b, f.air);
    b.insert(b.end(), {bcd(f.hour), bcd(f.minute), bcd(f.day), static_cast<std::uint8_t>(f.month)});
    put16(b, f.highAir);
    put16(b, f.lowAir);
    put16(b, f.degreeDays);
    put16(b, f.et);
    put16(b, f.windRun);
    put16(b, f.solar);
    put16(b, f.energy);
    b.push_back(static_cast<std::uint8_t>(f.rainRate));
    b.push_back(0);
    return b;
}

std::vector<std::uint8_t> classicRecord(const ClassicRecordFields& f)
{
    std::vector<std::uint8_t> b;
    put16(b, f.barometer);
    b.push_back(static_cast<std::uint8_t>(f.insideHum));
    b.push_back(static_cast<std::uint8_t>(f.outsideHum));
    put16(b, f.rainTips);
    put16(b, f.inside);
    put16(b, f.outside);
    b.push_back(static_cast<std::uint8_t>(f.wind));
    b.push_back(static_cast<std::uint8_t>(f.direction));
    put16(b, f.highOutside);
    b.push_back(static_cast<std::uint8_t>(f.highWind));
    b.insert(b.end(), {bcd(f.hour), bcd(f.minute), bcd(f.day), static_cast<std::uint8_t>(f.month)});
    put16(b, f.lowOutside);
    return b;
}

ArchiveDecoding tirrelDecoding()
{
    ArchiveDecoding d;
    d.units.family = units::StationFamily::Tirrel;
    d.offsets = {1.0f, -0.5f, 3, 0.0f};
    d.offsetsF = d.offsets;
    d.leafSensor = true;
    return d;
}

ArchiveDecoding classicDecoding()
{
    ArchiveDecoding d;
    d.units.family = units::StationFamily::Classic;
    d.offsets = {-1.5f, 0.5f, -2, 0.02f};
    d.offsetsF = d.offsets;
    return d;
}

} // namespace bv::station::testing
