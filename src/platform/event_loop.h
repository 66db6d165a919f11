#pragma once

#include <functional>

namespace bv::platform {

using TimerId = int;
using WatchId = int;

// What a descriptor watch waits for, and what its handler is told is ready.
using FdEvents = unsigned;
inline constexpr FdEvents FdReadable = 1u;
inline constexpr FdEvents FdWritable = 2u;

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

    // Calls handler, on the loop's thread, with the events of events that fd
    // has ready. Readiness is level-triggered: a handler that leaves data
    // unread is called again on a later turn. An error or hang-up on fd counts
    // as readable, and as writable when that is watched; a handler may be told
    // one event at a time even when both are ready. Keep one watch per
    // descriptor, and unwatch it before closing fd (the loop never closes it).
    // Handlers may add and remove watches, their own included.
    virtual WatchId watchFd(int fd, FdEvents events,
                            std::function<void(FdEvents ready)> handler) = 0;
    // Unwatching an unknown or already removed watch is harmless.
    virtual void unwatchFd(WatchId id) = 0;
};

} // namespace bv::platform
