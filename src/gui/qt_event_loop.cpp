#include "gui/qt_event_loop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

namespace bv::gui {

QtEventLoop::QtEventLoop() : context_(std::make_unique<QObject>()) {}

QtEventLoop::~QtEventLoop() = default;

void QtEventLoop::post(std::function<void()> fn)
{
    QMetaObject::invokeMethod(context_.get(), std::move(fn), Qt::QueuedConnection);
}

platform::TimerId QtEventLoop::startTimer(int periodMs, std::function<void()> fn)
{
    const platform::TimerId id = nextTimerId_++;
    auto* timer = new QTimer(context_.get());
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, timer, std::move(fn));
    timers_[id] = timer;
    timer->start(periodMs);
    return id;
}

void QtEventLoop::stopTimer(platform::TimerId id)
{
    const auto it = timers_.find(id);
    if (it == timers_.end())
        return;
    // The timer may be stopping itself from its own callback: delete it later.
    it->second->stop();
    it->second->deleteLater();
    timers_.erase(it);
}

platform::WatchId QtEventLoop::watchFd(int fd, platform::FdEvents events,
                                       std::function<void(platform::FdEvents)> handler)
{
    const platform::WatchId id = nextWatchId_++;
    const auto notify = [this, fd, &handler](QSocketNotifier::Type type, platform::FdEvents event) {
        auto* notifier = new QSocketNotifier(fd, type, context_.get());
        QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                         [handler, event] { handler(event); });
        return notifier;
    };
    Watch& watch = watches_[id];
    if (events & platform::FdReadable)
        watch.read = notify(QSocketNotifier::Read, platform::FdReadable);
    if (events & platform::FdWritable)
        watch.write = notify(QSocketNotifier::Write, platform::FdWritable);
    return id;
}

void QtEventLoop::unwatchFd(platform::WatchId id)
{
    const auto it = watches_.find(id);
    if (it == watches_.end())
        return;
    // The watch may be removing itself from its own handler: disabling takes it
    // out of the dispatcher at once, so the descriptor may be closed and
    // watched again right away; the notifier itself goes later.
    for (QSocketNotifier* notifier : {it->second.read, it->second.write}) {
        if (notifier != nullptr) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    }
    watches_.erase(it);
}

void QtEventLoop::pump()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventLoop::pause(int ms)
{
    if (ms <= 0) {
        pump();
        return;
    }
    QEventLoop wait;
    QTimer::singleShot(ms, Qt::PreciseTimer, &wait, &QEventLoop::quit);
    wait.exec();
}

} // namespace bv::gui
