#pragma once

#include "platform/clock.h"

namespace bv::platform {

// The PC's local time (as the TZ setting gives it) and CLOCK_MONOTONIC.
class SystemClock : public Clock {
  public:
    WallTime localTime() const override;
    std::int64_t monotonicMs() const override;
};

} // namespace bv::platform
