#pragma once

#include <array>
#include <csignal>

#include "platform/headless/poll_event_loop.h"

namespace bv::platform {

// Turns SIGTERM and SIGINT into a call on the event loop, so a headless program
// finishes its current step and shuts down cleanly (saving its configuration)
// instead of dying in the middle of a station exchange or a file write.
//
// The signal handler only writes the signal number to a self-pipe; the loop
// reads it and runs onSignal(signalNumber) on its own thread. A signal handler
// cannot be given a context, so the write end of the pipe is the one piece of
// process-wide state; only one TerminationSignals may exist at a time (a second
// one reports !installed()). The previous handlers come back on destruction.
// Handlers set with sigaction are reset by exec, so started programs (pppd, the
// logger program) see the default dispositions.
class TerminationSignals {
  public:
    TerminationSignals(PollEventLoop& loop, std::function<void(int signalNumber)> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool installed() const { return watch_ != 0; }

  private:
    void drainPipe();

    PollEventLoop& loop_;
    std::function<void(int)> onSignal_;
    int readFd_ = -1;
    int writeFd_ = -1;
    WatchId watch_ = 0;
    static constexpr std::array<int, 2> kSignals{SIGTERM, SIGINT};
    std::array<struct sigaction, kSignals.size()> previous_{}; // as they were before
};

} // namespace bv::platform
