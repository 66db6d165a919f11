#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "station/station_models.h"

namespace bv::station {

class StationLink;

// Which part of archive memory a dump must fetch, from the wrap flag and the
// new-record pointer.
struct DumpPlan {
    int firstRecord = 0; // the oldest record, counted from the start of memory
    int records = 0;     // records in the ring
    int blocks = 0;      // blocks to fetch from block 0; 0 = the archive is empty
};

// Wrapped: the whole ring, oldest record at the pointer. Not wrapped: the
// records before the pointer. Nothing for a pointer at or beyond the end of
// the ring, which no station sets: that is noise on the line.
std::optional<DumpPlan> planDump(const ArchiveGeometry& geometry, bool wrapped,
                                 std::uint32_t pointer);

// Records shown as received after `blocks` blocks: 4 a block for a Tirrel
// (every record when the ring holds 6 or fewer), truncate(blocks x 6.095)
// for the other models; never more than the records in the ring.
int recordsReceived(StationFamily family, int blocks, int records);

// What one received block was found to be.
enum class BlockVerdict {
    Good,      // stored and acknowledged
    Repeat,    // the previous block again: acknowledged, not stored, counted as an error
    BadHeader, // first byte not 0x01
    BadNumber, // wrong number or complement
    BadCrc,    // CRC over data and CRC bytes not 0
};

// Checks a whole 133-byte block against the number expected next (blocks
// received + 1, modulo 256). Block numbers are compared modulo 256, so block
// 255 sent again while block 0 is expected is a repeat.
BlockVerdict checkBlock(std::span<const std::uint8_t> frame, int blocksReceived);

// The program's side of an archive dump: "DMP", then block by block
// with ACK, NAK and ESC. Each call of readNextBlock reads and answers one block;
// the caller paces the calls (the progress dialog's 100 ms timer).
class ArchiveTransfer {
  public:
    static constexpr int kFrameBytes = 133; // header 3, data 128, CRC 2
    static constexpr int kMaxErrors = 20;   // the 21st ends the dump
    static constexpr int kRecoveryMs = 1000;

    enum class State { Running, Complete, TimedOut, TooManyErrors, Cancelled };

    ArchiveTransfer(StationLink& link, const StationModel& model, const DumpPlan& plan);

    // Sizes the buffer, reads the archive period, sends "DMP", drains and asks
    // for the first block with "C".
    void start();
    // Reads one block and answers it; returns the state after it. When the
    // last block is in and the dump was shorter than the whole memory, ESC
    // stops the station.
    State readNextBlock();
    // The user's Cancel: ESC to the station.
    void cancel();

    State state() const { return state_; }
    int blocksReceived() const { return blocks_; }
    int errors() const { return errors_; }
    const std::string& lastError() const { return lastError_; }
    // "Transferred %3d of %d." or, once there were errors, with their count
    // and the last one.
    std::string progressText() const;
    // Blocks received / blocks needed, 0..1.
    double fraction() const;
    // The data of the blocks received so far, 128 bytes each.
    std::span<const std::uint8_t> data() const { return data_; }

  private:
    // Reads the frame; a failed read makes it a bad block (its error text set),
    // a time-out in the header ends the dump.
    enum class FrameRead { Whole, Bad, TimedOut };
    FrameRead readFrame(std::vector<std::uint8_t>& frame);
    void rejectBlock(std::string_view error, bool recover);
    void sendByte(std::uint8_t byte);

    StationLink& link_;
    const StationModel& model_;
    DumpPlan plan_;
    std::vector<std::uint8_t> data_;
    State state_ = State::Running;
    int blocks_ = 0;
    int errors_ = 0;
    std::string lastError_;
};

} // namespace bv::station
