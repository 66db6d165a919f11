#include "platform/headless/termination_signals.h"

namespace bv::platform {

TerminationSignals::TerminationSignals(PollEventLoop& loop, std::function<void(int)> onSignal)
    : loop_(loop), onSignal_(std::move(onSignal))
{
    if (pipe_.installed())
        watch_ =
            loop_.watchFd(pipe_.readFd(), FdReadable, [this](FdEvents) { pipe_.drain(onSignal_); });
}

TerminationSignals::~TerminationSignals()
{
    loop_.unwatchFd(watch_);
}

} // namespace bv::platform
