#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "sim/nibble_memory.h"

namespace bv::sim {

// The logger-memory locations that describe the archive.
struct LoggerLayout {
    Location wrapFlag;          // bit 0 set once the ring has wrapped
    Location newRecordPointer;  // byte offset of the next record (low 16 bits used)
    Location samplePeriod;      // 256 - seconds, as "SSP" sends it
    Location archivePeriod;     // minutes, as "SAP" sends it
    Location lastArchiveMinute; // minute of the day of the latest archive time
};

// The archive memory: 256 blocks of 128 bytes holding a ring of fixed-size
// records. Where the next record goes and whether the ring has wrapped live in
// logger memory, so the program's "RWR" writes clear the archive just as they
// would on the station.
class ArchiveRing {
  public:
    static constexpr int kBlockBytes = 128;
    static constexpr int kBlockCount = 256;
    static constexpr int kMemoryBytes = kBlockBytes * kBlockCount;

    ArchiveRing(int recordSize, int ringRecords, const LoggerLayout& logger);

    // Stores a record at the new-record pointer and moves the pointer on,
    // wrapping to 0 (and setting the wrap flag) after the last record.
    void append(NibbleMemory& logger, std::span<const std::uint8_t> record);
    // Records the ring holds by the pointer and the wrap flag.
    int recordCount(const NibbleMemory& logger) const;
    // Record i counted from the start of archive memory.
    std::span<const std::uint8_t> record(int index) const;
    std::span<const std::uint8_t> block(int index) const;

    int recordSize() const { return recordSize_; }
    int ringRecords() const { return ringRecords_; }
    const LoggerLayout& logger() const { return logger_; }

  private:
    // The pointer as a record index, pulled back into the ring.
    int nextIndex(const NibbleMemory& logger) const;

    int recordSize_;
    int ringRecords_;
    LoggerLayout logger_;
    std::array<std::uint8_t, kMemoryBytes> bytes_{};
};

} // namespace bv::sim
