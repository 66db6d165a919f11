#include "gui/qt_event_loop.h"

#include <QCoreApplication>
#include <QEventLoop>
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
