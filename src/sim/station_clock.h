#pragma once

#include <cstdint>
#include <optional>

#include "platform/clock.h"
#include "sim/nibble_memory.h"

namespace bv::sim {

// Where a family keeps its clock: BCD hour, minute, second and day, a binary
// month and, on the Tirrel family, a binary year byte (year - 1900, mod 256).
struct ClockLayout {
    Location hour;
    Location minute;
    Location second;
    Location day;
    Location month;
    std::optional<Location> year;
};

// The station's own clock: it runs with true time but from wherever the
// program last set it.
class StationClock {
  public:
    explicit StationClock(const ClockLayout& layout) : layout_(layout) {}

    std::int64_t stationMs(std::int64_t trueMs) const { return trueMs + offsetMs_; }
    platform::WallTime stationTime(std::int64_t trueMs) const;
    void writeTo(NibbleMemory& memory, std::int64_t trueMs) const;
    bool touches(int bank, int address, int nibbles) const;
    // After a write into the clock's nibbles: the clock runs on from the time
    // the memory now holds. Fields that name no real date and time leave the
    // clock as it was (false).
    bool adoptFrom(const NibbleMemory& memory, std::int64_t trueMs);

  private:
    ClockLayout layout_;
    std::int64_t offsetMs_ = 0;
};

} // namespace bv::sim
