#pragma once

#include <array>
#include <csignal>
#include <functional>

namespace bv::platform {

// Catches SIGTERM and SIGINT (logout, shutdown, `systemctl stop`, Ctrl+C) so a
// program can finish its current step and shut down cleanly, saving its
// configuration, instead of dying in the middle of a station exchange or a
// file write.
//
// The signal handler only writes the signal number to a self-pipe. The
// program's event loop watches readFd() for input and then calls drain() on
// its own thread: the poll loop through TerminationSignals, the Qt loop
// through a socket notifier.
//
// A signal handler cannot be given a context, so the write end of the pipe is
// the one piece of process-wide state; only one pipe may be installed at a
// time (a second one reports !installed()). The previous handlers come back
// on destruction. Handlers set with sigaction are reset by exec, so started
// programs (pppd, the logger program) see the default dispositions.
class TerminationSignalPipe {
  public:
    TerminationSignalPipe();
    ~TerminationSignalPipe();
    TerminationSignalPipe(const TerminationSignalPipe&) = delete;
    TerminationSignalPipe& operator=(const TerminationSignalPipe&) = delete;

    bool installed() const { return readFd_ >= 0; }
    // Readable while a caught signal waits to be drained; -1 when not installed.
    int readFd() const { return readFd_; }
    // Calls onSignal(signalNumber) for every signal caught since the last
    // drain, in the order they came.
    void drain(const std::function<void(int signalNumber)>& onSignal);

  private:
    int readFd_ = -1;
    int writeFd_ = -1;
    static constexpr std::array<int, 2> kSignals{SIGTERM, SIGINT};
    std::array<struct sigaction, kSignals.size()> previous_{}; // as they were before
};

} // namespace bv::platform
