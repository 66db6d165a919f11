#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>

#include "platform/clock.h"
#include "platform/event_loop.h"
#include "platform/linux/fd_watch_set.h"

namespace bv::testsupport {

// An event loop and clock on virtual time: pause(ms) advances the clock at once,
// firing every timer that falls due on the way, so a test runs hours of
// time-outs, retries and scheduler ticks in milliseconds.
//
// Watched descriptors are real: every pump, and every step of a pause, looks
// at them without waiting, so a handler runs once its descriptor is ready, but
// virtual time never waits for a descriptor that is not.
class VirtualTime : public platform::EventLoop, public platform::Clock {
  public:
    static constexpr platform::WallTime kDefaultStart{2026, 12, 7, 9, 0, 0, 0, 1};

    // Starts at the given local wall-clock time.
    explicit VirtualTime(platform::WallTime start = kDefaultStart);

    void post(std::function<void()> fn) override;
    platform::TimerId startTimer(int periodMs, std::function<void()> fn) override;
    void stopTimer(platform::TimerId id) override;
    void pump() override;
    void pause(int ms) override;
    platform::WatchId watchFd(int fd, platform::FdEvents events,
                              std::function<void(platform::FdEvents)> handler) override;
    void unwatchFd(platform::WatchId id) override;

    platform::WallTime localTime() const override;
    std::int64_t monotonicMs() const override { return nowMs_; }

    // Moves the clock forward like pause(), for test code that is not a wait.
    void advance(std::int64_t ms);
    // Sets the wall clock; timers and the monotonic count are unaffected.
    void setLocalTime(const platform::WallTime& t);

  private:
    struct Timer {
        int periodMs;
        std::int64_t dueMs;
        std::function<void()> fn;
    };
    void runPosted();

    std::int64_t nowMs_ = 0;
    std::int64_t wallOffsetMs_ = 0; // wall clock = epoch of the start + nowMs_ + offset
    std::int64_t wallStartEpochMs_ = 0;
    std::deque<std::function<void()>> posted_;
    std::map<platform::TimerId, Timer> timers_;
    platform::TimerId nextTimerId_ = 1;
    platform::FdWatchSet watches_;
};

} // namespace bv::testsupport
