#include "platform/linux/termination_signal_pipe.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace bv::platform {

namespace {

// The write end of the installed pipe, -1 when none is installed. A signal
// handler has no other way to reach it.
std::atomic<int> signalPipeWriteFd{-1};

void onTerminationSignal(int signalNumber)
{
    const int savedErrno = errno;
    const int fd = signalPipeWriteFd.load();
    if (fd >= 0) {
        const unsigned char byte = static_cast<unsigned char>(signalNumber);
        // A full pipe already holds a pending signal; losing this one is fine.
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

TerminationSignalPipe::TerminationSignalPipe()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    int expected = -1;
    if (!signalPipeWriteFd.compare_exchange_strong(expected, fds[1])) {
        ::close(fds[0]);
        ::close(fds[1]);
        return;
    }
    readFd_ = fds[0];
    writeFd_ = fds[1];
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        sigaction(kSignals[i], &action, &previous_[i]);
}

TerminationSignalPipe::~TerminationSignalPipe()
{
    if (!installed())
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        sigaction(kSignals[i], &previous_[i], nullptr);
    signalPipeWriteFd.store(-1);
    ::close(readFd_);
    ::close(writeFd_);
}

void TerminationSignalPipe::drain(const std::function<void(int)>& onSignal)
{
    unsigned char byte = 0;
    while (::read(readFd_, &byte, 1) == 1)
        onSignal(byte);
}

} // namespace bv::platform
