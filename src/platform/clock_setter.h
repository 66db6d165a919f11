#pragma once

#include "platform/clock.h"

namespace bv::platform {

// Sets the PC's clock (the Set Time dialog's "Set the PC time also.").
class ClockSetter {
  public:
    virtual ~ClockSetter() = default;
    // Sets the local wall-clock time (seconds and milliseconds as given).
    // 0, or an errno value when the system refused (EPERM without the right).
    virtual int setLocalTime(const WallTime& time) = 0;
};

} // namespace bv::platform
