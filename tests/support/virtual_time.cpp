#include "support/virtual_time.h"

#include <chrono>

namespace bv::testsupport {

namespace {

using namespace std::chrono;

std::int64_t toEpochMs(const platform::WallTime& t)
{
    const sys_days day = year_month_day{year{t.year}, month{static_cast<unsigned>(t.month)},
                                        std::chrono::day{static_cast<unsigned>(t.day)}};
    const auto ms = day.time_since_epoch() + hours{t.hour} + minutes{t.minute} + seconds{t.second} +
                    milliseconds{t.millisecond};
    return duration_cast<milliseconds>(ms).count();
}

platform::WallTime fromEpochMs(std::int64_t epochMs)
{
    const sys_time<milliseconds> tp{milliseconds{epochMs}};
    const sys_days day = floor<days>(tp);
    const year_month_day ymd{day};
    const hh_mm_ss<milliseconds> hms{tp - day};
    platform::WallTime t;
    t.year = static_cast<int>(ymd.year());
    t.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    t.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    t.hour = static_cast<int>(hms.hours().count());
    t.minute = static_cast<int>(hms.minutes().count());
    t.second = static_cast<int>(hms.seconds().count());
    t.millisecond = static_cast<int>(hms.subseconds().count());
    t.weekday = static_cast<int>(weekday{day}.c_encoding());
    return t;
}

} // namespace

VirtualTime::VirtualTime(platform::WallTime start) : wallStartEpochMs_(toEpochMs(start)) {}

void VirtualTime::post(std::function<void()> fn)
{
    posted_.push_back(std::move(fn));
}

platform::TimerId VirtualTime::startTimer(int periodMs, std::function<void()> fn)
{
    const platform::TimerId id = nextTimerId_++;
    const int period = periodMs > 0 ? periodMs : 1;
    timers_[id] = Timer{period, nowMs_ + period, std::move(fn)};
    return id;
}

void VirtualTime::stopTimer(platform::TimerId id)
{
    timers_.erase(id);
}

void VirtualTime::runPosted()
{
    // Calls posted while running wait for the next pump, as queued messages do.
    std::deque<std::function<void()>> batch;
    batch.swap(posted_);
    for (auto& fn : batch)
        fn();
}

platform::WatchId VirtualTime::watchFd(int fd, platform::FdEvents events,
                                       std::function<void(platform::FdEvents)> handler)
{
    return watches_.add(fd, events, std::move(handler));
}

void VirtualTime::unwatchFd(platform::WatchId id)
{
    watches_.remove(id);
}

void VirtualTime::pump()
{
    runPosted();
    watches_.poll(0);
    for (auto it = timers_.begin(); it != timers_.end();) {
        const platform::TimerId id = it->first;
        if (it->second.dueMs <= nowMs_) {
            it->second.dueMs += it->second.periodMs;
            auto fn = it->second.fn; // the timer may stop itself
            fn();
        }
        it = timers_.upper_bound(id);
    }
}

void VirtualTime::advance(std::int64_t ms)
{
    const std::int64_t end = nowMs_ + (ms > 0 ? ms : 0);
    for (;;) {
        runPosted();
        std::int64_t next = end;
        for (const auto& [id, timer] : timers_)
            next = std::min(next, timer.dueMs);
        nowMs_ = std::max(nowMs_, next);
        pump();
        if (nowMs_ >= end)
            break;
    }
}

void VirtualTime::pause(int ms)
{
    advance(ms);
}

platform::WallTime VirtualTime::localTime() const
{
    return fromEpochMs(wallStartEpochMs_ + nowMs_ + wallOffsetMs_);
}

void VirtualTime::setLocalTime(const platform::WallTime& t)
{
    wallOffsetMs_ = toEpochMs(t) - wallStartEpochMs_ - nowMs_;
}

} // namespace bv::testsupport
