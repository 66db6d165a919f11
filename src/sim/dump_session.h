#pragma once

#include <cstdint>
#include <vector>

#include "sim/archive_ring.h"

namespace bv::sim {

// The station's side of an archive dump. After "DMP" is acknowledged the
// station waits for "C", then sends archive memory block by block from block
// 0: 0x01, the block number (1, 2, ... 255, 0), its complement, 128 data bytes
// and their CRC, high byte first. 0x06 asks for the next block, 0x15 for the
// same block again, 0x1B ends the dump; it also ends after the 256th block.
class DumpSession {
  public:
    enum class Action {
        None,      // the byte was taken, nothing to send
        SendBlock, // send block currentBlock()
        NotMine,   // no dump is waiting for this byte: it belongs to a command
    };

    void arm();
    void stop() { state_ = State::Idle; }
    bool active() const { return state_ != State::Idle; }
    Action onByte(std::uint8_t byte);
    // The program's acknowledgement is answered with the same block again (a
    // repeated block): the dump does not move on this time.
    void holdBlock() { ++holds_; }
    int currentBlock() const { return block_; }

    static std::vector<std::uint8_t> frameBlock(const ArchiveRing& ring, int index);

  private:
    enum class State { Idle, Armed, Sending };

    State state_ = State::Idle;
    int block_ = 0;
    int holds_ = 0;
};

} // namespace bv::sim
