#include "sim/archive_ring.h"

#include <algorithm>

namespace bv::sim {

namespace {
constexpr std::uint32_t kPointerMask = 0xFFFF;
constexpr std::uint32_t kWrappedBit = 0x1;
} // namespace

ArchiveRing::ArchiveRing(int recordSize, int ringRecords, const LoggerLayout& logger)
    : recordSize_(recordSize), ringRecords_(ringRecords), logger_(logger)
{
}

int ArchiveRing::nextIndex(const NibbleMemory& logger) const
{
    const auto pointer = static_cast<int>(logger.value(logger_.newRecordPointer) & kPointerMask);
    const int index = pointer / recordSize_;
    return index < ringRecords_ ? index : 0;
}

void ArchiveRing::append(NibbleMemory& logger, std::span<const std::uint8_t> record)
{
    const int index = nextIndex(logger);
    const std::size_t size = std::min(record.size(), static_cast<std::size_t>(recordSize_));
    std::copy_n(record.begin(), size,
                bytes_.begin() + static_cast<std::ptrdiff_t>(index) * recordSize_);
    int next = index + 1;
    if (next >= ringRecords_) {
        next = 0;
        logger.setValue(logger_.wrapFlag, logger.value(logger_.wrapFlag) | kWrappedBit);
    }
    logger.setValue(logger_.newRecordPointer, next * recordSize_);
}

int ArchiveRing::recordCount(const NibbleMemory& logger) const
{
    if ((logger.value(logger_.wrapFlag) & kWrappedBit) != 0)
        return ringRecords_;
    return nextIndex(logger);
}

std::span<const std::uint8_t> ArchiveRing::record(int index) const
{
    return std::span<const std::uint8_t>(bytes_).subspan(
        static_cast<std::size_t>(index * recordSize_), static_cast<std::size_t>(recordSize_));
}

std::span<const std::uint8_t> ArchiveRing::block(int index) const
{
    return std::span<const std::uint8_t>(bytes_).subspan(
        static_cast<std::size_t>(index * kBlockBytes), kBlockBytes);
}

} // namespace bv::sim
