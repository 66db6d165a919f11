#pragma once

#include "platform/clock_setter.h"

namespace bv::platform {

// clock_settime(CLOCK_REALTIME) where the process may set the clock (root, or
// CAP_SYS_TIME); otherwise "timedatectl set-time", which asks systemd to do it
// and may ask for the user's password through polkit.
class SystemClockSetter final : public ClockSetter {
  public:
    int setLocalTime(const WallTime& time) override;
};

} // namespace bv::platform
