#include "platform/headless/poll_event_loop.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <limits>

namespace bv::platform {

namespace {

std::int64_t nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

int toPollTimeout(std::int64_t ms)
{
    if (ms < 0)
        return -1;
    return static_cast<int>(std::min<std::int64_t>(ms, std::numeric_limits<int>::max()));
}

} // namespace

void PollEventLoop::post(std::function<void()> fn)
{
    posted_.push_back(std::move(fn));
}

TimerId PollEventLoop::startTimer(int periodMs, std::function<void()> fn)
{
    const TimerId id = nextTimerId_++;
    const int period = std::max(periodMs, 1);
    timers_[id] = Timer{period, nowMs() + period, std::move(fn)};
    return id;
}

void PollEventLoop::stopTimer(TimerId id)
{
    timers_.erase(id);
}

WatchId PollEventLoop::watchFd(int fd, FdEvents events, std::function<void(FdEvents)> handler)
{
    return watches_.add(fd, events, std::move(handler));
}

void PollEventLoop::unwatchFd(WatchId id)
{
    watches_.remove(id);
}

void PollEventLoop::runPosted()
{
    std::deque<std::function<void()>> batch;
    batch.swap(posted_);
    for (auto& fn : batch)
        fn();
}

std::int64_t PollEventLoop::msUntilNextTimer() const
{
    if (timers_.empty())
        return -1;
    std::int64_t due = std::numeric_limits<std::int64_t>::max();
    for (const auto& [id, timer] : timers_)
        due = std::min(due, timer.dueMs);
    return std::max<std::int64_t>(due - nowMs(), 0);
}

void PollEventLoop::runDueTimers()
{
    const std::int64_t now = nowMs();
    for (auto it = timers_.begin(); it != timers_.end();) {
        const TimerId id = it->first;
        Timer& timer = it->second;
        if (timer.dueMs <= now) {
            timer.dueMs += timer.periodMs;
            if (timer.dueMs <= now)
                timer.dueMs = now + timer.periodMs;
            auto fn = timer.fn; // the timer may stop itself
            fn();
        }
        it = timers_.upper_bound(id);
    }
}

void PollEventLoop::turn(std::int64_t waitMs)
{
    runPosted();
    std::int64_t wait = posted_.empty() ? waitMs : 0;
    const std::int64_t untilTimer = msUntilNextTimer();
    if (untilTimer >= 0 && (wait < 0 || untilTimer < wait))
        wait = untilTimer;
    watches_.poll(toPollTimeout(wait));
    runDueTimers();
}

void PollEventLoop::pump()
{
    turn(0);
}

void PollEventLoop::pause(int ms)
{
    const std::int64_t end = nowMs() + std::max(ms, 0);
    for (;;) {
        const std::int64_t left = end - nowMs();
        turn(std::max<std::int64_t>(left, 0));
        if (nowMs() >= end)
            break;
    }
}

int PollEventLoop::run()
{
    while (!quitRequested_)
        turn(-1);
    quitRequested_ = false;
    return exitCode_;
}

void PollEventLoop::quit(int code)
{
    quitRequested_ = true;
    exitCode_ = code;
}

} // namespace bv::platform
