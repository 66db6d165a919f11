#include "platform/linux/fd_watch_set.h"

#include <poll.h>

#include <vector>

namespace bv::platform {

namespace {

short toPollEvents(FdEvents events)
{
    short wanted = 0;
    if (events & FdReadable)
        wanted |= POLLIN;
    if (events & FdWritable)
        wanted |= POLLOUT;
    return wanted;
}

// Errors and hang-ups wake both directions: a read or write then reports them.
FdEvents fromPollEvents(short revents, FdEvents watched)
{
    constexpr short kTrouble = POLLERR | POLLHUP | POLLNVAL;
    FdEvents ready = 0;
    if (revents & (POLLIN | kTrouble))
        ready |= FdReadable;
    if (revents & (POLLOUT | kTrouble))
        ready |= FdWritable;
    return ready & watched;
}

} // namespace

WatchId FdWatchSet::add(int fd, FdEvents events, Handler handler)
{
    const WatchId id = nextId_++;
    watches_[id] = Watch{fd, events, std::move(handler)};
    return id;
}

void FdWatchSet::remove(WatchId id)
{
    watches_.erase(id);
}

void FdWatchSet::poll(int timeoutMs)
{
    std::vector<pollfd> fds;
    std::vector<WatchId> ids;
    fds.reserve(watches_.size());
    ids.reserve(watches_.size());
    for (const auto& [id, watch] : watches_) {
        fds.push_back(pollfd{watch.fd, toPollEvents(watch.events), 0});
        ids.push_back(id);
    }
    const int n = ::poll(fds.data(), fds.size(), timeoutMs);
    if (n <= 0)
        return; // time-out, or EINTR from a signal whose handler wrote to a watched pipe
    for (std::size_t i = 0; i < fds.size(); ++i) {
        // An earlier handler may have removed this watch, or changed it.
        const auto it = watches_.find(ids[i]);
        if (it == watches_.end())
            continue;
        const FdEvents ready = fromPollEvents(fds[i].revents, it->second.events);
        if (ready == 0)
            continue;
        auto handler = it->second.handler; // the handler may remove itself
        handler(ready);
    }
}

} // namespace bv::platform
