#include "gui/qt_termination_signals.h"

#include <QSocketNotifier>

namespace bv::gui {

QtTerminationSignals::QtTerminationSignals(std::function<void(int)> onSignal)
    : onSignal_(std::move(onSignal))
{
    if (!pipe_.installed())
        return;
    notifier_ = std::make_unique<QSocketNotifier>(pipe_.readFd(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { pipe_.drain(onSignal_); });
}

QtTerminationSignals::~QtTerminationSignals() = default;

} // namespace bv::gui
