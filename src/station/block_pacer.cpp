#include "station/block_pacer.h"

#include "platform/event_loop.h"

namespace bv::station {

bool BlockPacer::onTick()
{
    if (reading_ || transfer_.state() != ArchiveTransfer::State::Running)
        return false;
    if (++quietTicks_ < kQuietTicks)
        return false;
    reading_ = true;
    transfer_.readNextBlock();
    reading_ = false;
    quietTicks_ = 0;
    return true;
}

ArchiveTransfer::State runTransfer(platform::EventLoop& loop, ArchiveTransfer& transfer,
                                   const std::function<void()>& progress)
{
    transfer.start();
    if (progress)
        progress();
    BlockPacer pacer(transfer);
    const platform::TimerId timer = loop.startTimer(BlockPacer::kTickMs, [&pacer, &progress] {
        if (pacer.onTick() && progress)
            progress();
    });
    while (transfer.state() == ArchiveTransfer::State::Running)
        loop.pause(BlockPacer::kTickMs);
    loop.stopTimer(timer);
    return transfer.state();
}

} // namespace bv::station
