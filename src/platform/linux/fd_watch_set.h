#pragma once

#include <functional>
#include <map>

#include "platform/event_loop.h"

namespace bv::platform {

// The descriptor watches of a poll(2)-based loop, as EventLoop::watchFd
// describes them: poll() waits for the watched events and runs the handlers of
// the descriptors found ready. A handler may add and remove watches.
class FdWatchSet {
  public:
    using Handler = std::function<void(FdEvents ready)>;

    WatchId add(int fd, FdEvents events, Handler handler);
    void remove(WatchId id);
    bool empty() const { return watches_.empty(); }

    // Waits at most timeoutMs (-1: no limit) for a watched event and runs the
    // handlers of what is ready. With nothing watched it just waits.
    void poll(int timeoutMs);

  private:
    struct Watch {
        int fd;
        FdEvents events;
        Handler handler;
    };

    std::map<WatchId, Watch> watches_;
    WatchId nextId_ = 1;
};

} // namespace bv::platform
