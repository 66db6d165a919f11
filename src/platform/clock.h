#pragma once

#include <cstdint>

namespace bv::platform {

// A local wall-clock reading, field by field.
struct WallTime {
    int year = 1970; // full year, e.g. 2051
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int weekday = 4; // 0 = Sunday .. 6 = Saturday
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual WallTime localTime() const = 0;
    // Milliseconds on a clock that never goes back; only differences mean anything.
    virtual std::int64_t monotonicMs() const = 0;
};

} // namespace bv::platform
