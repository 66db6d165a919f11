#pragma once

#include <functional>
#include <memory>

#include "platform/linux/termination_signal_pipe.h"

class QSocketNotifier;

namespace bv::gui {

// SIGTERM and SIGINT as calls on the Qt event loop of the GUI thread:
// onSignal(signalNumber) runs from the loop (the main loop, a modal dialog's
// or a station wait's pump), never inside the signal handler. Only one may
// exist at a time, counting the poll loop's TerminationSignals (see
// platform::TerminationSignalPipe); a second one reports !installed().
class QtTerminationSignals {
  public:
    explicit QtTerminationSignals(std::function<void(int signalNumber)> onSignal);
    ~QtTerminationSignals();
    QtTerminationSignals(const QtTerminationSignals&) = delete;
    QtTerminationSignals& operator=(const QtTerminationSignals&) = delete;

    bool installed() const { return notifier_ != nullptr; }

  private:
    std::function<void(int)> onSignal_;
    platform::TerminationSignalPipe pipe_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace bv::gui
