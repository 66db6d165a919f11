#pragma once

#include <filesystem>
#include <functional>

namespace bv::paging {

// Where the sender of the queue plugs in: the pager status window, which
// reads "sendpages.dat" with SendQueueReader and sends each page through the
// paging modem by its entry's kind.
//
// An evaluation run that queued pages calls sendQueue once, after it has
// closed the queue file and the station link, with the automatic-task gate
// still closed. The sender calls finished exactly once, when its window
// closes (queue done, cancelled, or the modem port failed); the run then
// gives back its hold on the gate. finished may be called before sendQueue
// returns.
class PageSender {
  public:
    virtual ~PageSender() = default;
    virtual void sendQueue(const std::filesystem::path& queueFile,
                           std::function<void()> finished) = 0;
};

} // namespace bv::paging
