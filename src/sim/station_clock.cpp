#include "sim/station_clock.h"

#include "sim/local_time.h"

namespace bv::sim {

namespace {
constexpr int kYearBase = 1900;
constexpr int kYearByteWrap = 256;
constexpr int kLastTwentiethCenturyByte = 90; // year bytes up to 90 are 2000..2090
constexpr int kCenturyYears = 100;
} // namespace

platform::WallTime StationClock::stationTime(std::int64_t trueMs) const
{
    return wallTimeFromLocalMs(stationMs(trueMs));
}

void StationClock::writeTo(NibbleMemory& memory, std::int64_t trueMs) const
{
    const platform::WallTime t = stationTime(trueMs);
    memory.setBcdValue(layout_.hour, t.hour);
    memory.setBcdValue(layout_.minute, t.minute);
    memory.setBcdValue(layout_.second, t.second);
    memory.setBcdValue(layout_.day, t.day);
    memory.setValue(layout_.month, t.month);
    if (layout_.year)
        memory.setValue(*layout_.year, (t.year - kYearBase) % kYearByteWrap);
}

bool StationClock::touches(int bank, int address, int nibbles) const
{
    for (const Location& at :
         {layout_.hour, layout_.minute, layout_.second, layout_.day, layout_.month})
        if (NibbleMemory::overlaps(at, bank, address, nibbles))
            return true;
    return layout_.year && NibbleMemory::overlaps(*layout_.year, bank, address, nibbles);
}

bool StationClock::adoptFrom(const NibbleMemory& memory, std::int64_t trueMs)
{
    platform::WallTime t = stationTime(trueMs);
    if (layout_.year) {
        const int yearByte = static_cast<int>(memory.value(*layout_.year));
        t.year = yearByte +
                 (yearByte <= kLastTwentiethCenturyByte ? kYearBase + kCenturyYears : kYearBase);
    }
    t.month = static_cast<int>(memory.value(layout_.month));
    t.day = memory.bcdValue(layout_.day);
    t.hour = memory.bcdValue(layout_.hour);
    t.minute = memory.bcdValue(layout_.minute);
    t.second = memory.bcdValue(layout_.second);
    t.millisecond = 0;
    if (!isValidWallTime(t))
        return false;
    offsetMs_ = localMsFromWallTime(t) - trueMs;
    return true;
}

} // namespace bv::sim
