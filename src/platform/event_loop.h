#pragma once

#include <functional>

namespace bv::platform {

using TimerId = int;

// The one event loop of the program. Everything runs on one thread: long waits
// (station reads, paging pauses) call pump() or pause() so that timers and
// posted calls keep running, just as window messages are processed while a
// station exchange waits for bytes.
class EventLoop {
  public:
    virtual ~EventLoop() = default;

    // Queues fn to run on a later pump, after the calls queued before it.
    virtual void post(std::function<void()> fn) = 0;
    // Starts a repeating timer; fn runs every periodMs until stopTimer.
    virtual TimerId startTimer(int periodMs, std::function<void()> fn) = 0;
    // Stopping an unknown or already stopped timer is harmless.
    virtual void stopTimer(TimerId id) = 0;
    // Runs the posted calls and due timers, without waiting.
    virtual void pump() = 0;
    // Waits ms milliseconds, running posted calls and timers meanwhile.
    virtual void pause(int ms) = 0;
};

} // namespace bv::platform
