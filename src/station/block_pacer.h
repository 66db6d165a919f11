#pragma once

#include <functional>

#include "station/archive_transfer.h"

namespace bv::platform {
class EventLoop;
}

namespace bv::station {

// Paces an archive transfer on a 100 ms clock: the next block is read once
// three ticks have passed since the last progress, so the window shows each
// block before the next one starts. A tick that comes while a block is being
// read (the read keeps the event loop running) is dropped.
class BlockPacer {
  public:
    static constexpr int kTickMs = 100;
    static constexpr int kQuietTicks = 3;

    explicit BlockPacer(ArchiveTransfer& transfer) : transfer_(transfer) {}

    // True when this tick read a block (the progress has changed).
    bool onTick();

  private:
    ArchiveTransfer& transfer_;
    int quietTicks_ = 0;
    bool reading_ = false;
};

// Starts the transfer and runs it to its end on the event loop's own 100 ms
// timer, as the DOWNLOAD dialog does in a window; progress is called after
// every block.
ArchiveTransfer::State runTransfer(platform::EventLoop& loop, ArchiveTransfer& transfer,
                                   const std::function<void()>& progress);

} // namespace bv::station
