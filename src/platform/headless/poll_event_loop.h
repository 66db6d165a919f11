#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>

#include "platform/event_loop.h"
#include "platform/linux/fd_watch_set.h"

namespace bv::platform {

// The event loop of the programs without a window (`hollit --headless`,
// `viraraz`), built on poll(2) and CLOCK_MONOTONIC.
//
// Timers repeat every periodMs; a timer that fell behind (a long call held the
// thread) fires once and is rescheduled a whole period after now, as window
// timers coalesce, instead of firing a burst to catch up. Posted calls run in
// the order they were posted; calls posted while a batch runs wait for the next
// turn. Every handler may start or stop timers and watches, including its own.
class PollEventLoop : public EventLoop {
  public:
    PollEventLoop() = default;
    PollEventLoop(const PollEventLoop&) = delete;
    PollEventLoop& operator=(const PollEventLoop&) = delete;

    void post(std::function<void()> fn) override;
    TimerId startTimer(int periodMs, std::function<void()> fn) override;
    void stopTimer(TimerId id) override;
    void pump() override;
    void pause(int ms) override;

    WatchId watchFd(int fd, FdEvents events, std::function<void(FdEvents)> handler) override;
    void unwatchFd(WatchId id) override;

    // Runs timers, posted calls and watches until quit(); returns quit's code.
    int run();
    // Makes run() return code once the current handler returns. A quit before
    // run() makes the next run() return at once.
    void quit(int code = 0);
    bool quitRequested() const { return quitRequested_; }

  private:
    struct Timer {
        int periodMs;
        std::int64_t dueMs;
        std::function<void()> fn;
    };

    // One turn: posted calls, then poll for at most waitMs (-1 = no limit, but
    // never past the next timer), then fd handlers, then due timers.
    void turn(std::int64_t waitMs);
    void runPosted();
    void runDueTimers();
    std::int64_t msUntilNextTimer() const; // -1 when no timer runs

    std::deque<std::function<void()>> posted_;
    std::map<TimerId, Timer> timers_;
    FdWatchSet watches_;
    TimerId nextTimerId_ = 1;
    bool quitRequested_ = false;
    int exitCode_ = 0;
};

} // namespace bv::platform
