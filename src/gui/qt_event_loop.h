#pragma once

#include <map>
#include <memory>

#include <QObject>

#include "platform/event_loop.h"

class QSocketNotifier;
class QTimer;

namespace bv::gui {

// The program's EventLoop on the Qt event loop of the GUI thread.
// post() queues a call behind the events already waiting; timers are QTimers;
// descriptors are watched by QSocketNotifiers; pump() and pause() let Qt deliver
// input, paint, timers, posted calls and descriptor events while a station
// exchange or a paging pause waits.
class QtEventLoop : public platform::EventLoop {
  public:
    QtEventLoop();
    ~QtEventLoop() override;
    QtEventLoop(const QtEventLoop&) = delete;
    QtEventLoop& operator=(const QtEventLoop&) = delete;

    void post(std::function<void()> fn) override;
    platform::TimerId startTimer(int periodMs, std::function<void()> fn) override;
    void stopTimer(platform::TimerId id) override;
    void pump() override;
    void pause(int ms) override;
    platform::WatchId watchFd(int fd, platform::FdEvents events,
                              std::function<void(platform::FdEvents)> handler) override;
    void unwatchFd(platform::WatchId id) override;

  private:
    // One notifier per watched direction.
    struct Watch {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
    };

    // Parent of the timers and target of posted calls: destroying the loop
    // drops queued calls and stops every timer.
    std::unique_ptr<QObject> context_;
    std::map<platform::TimerId, QTimer*> timers_;
    platform::TimerId nextTimerId_ = 1;
    std::map<platform::WatchId, Watch> watches_;
    platform::WatchId nextWatchId_ = 1;
};

} // namespace bv::gui
