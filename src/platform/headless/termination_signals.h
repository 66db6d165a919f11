#pragma once

#include <functional>

#include "platform/headless/poll_event_loop.h"
#include "platform/linux/termination_signal_pipe.h"

namespace bv::platform {

// SIGTERM and SIGINT as calls on the poll event loop: onSignal(signalNumber)
// runs on the loop's thread, never inside the signal handler. Only one may
// exist at a time (see TerminationSignalPipe); a second one reports
// !installed().
class TerminationSignals {
  public:
    TerminationSignals(PollEventLoop& loop, std::function<void(int signalNumber)> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool installed() const { return watch_ != 0; }

  private:
    PollEventLoop& loop_;
    std::function<void(int)> onSignal_;
    TerminationSignalPipe pipe_;
    WatchId watch_ = 0;
};

} // namespace bv::platform
