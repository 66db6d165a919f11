#include "station/archive_transfer.h"

#include <algorithm>
#include <cstdio>

#include "app/base/strings_station.h"
#include "station/archive_settings.h"
#include "station/crc16.h"
#include "station/protocol_bytes.h"
#include "station/serial_port.h"
#include "station/station_link.h"

namespace bv::station {

namespace {

constexpr std::uint32_t kPointerMask = 0xFFFF; // the station uses the low 16 bits
constexpr int kBlockNumbers = 256;
constexpr std::uint8_t kComplementMask = 0xFF;
constexpr std::size_t kHeaderBytes = 3;
constexpr int kTirrelRecordsPerBlock = 4;
constexpr int kTirrelExactUpTo = 6;
constexpr double kClassicRecordsPerBlock = 6.095;
constexpr std::size_t kMaxErrorText = 39;
constexpr std::size_t kProgressText = 160;

} // namespace

std::optional<DumpPlan> planDump(const ArchiveGeometry& geometry, bool wrapped,
                                 std::uint32_t pointer)
{
    const auto offset = static_cast<int>(pointer & kPointerMask);
    if (offset >= geometry.recordSize * geometry.recordsInRing)
        return std::nullopt;
    if (wrapped)
        return DumpPlan{offset / geometry.recordSize, geometry.recordsInRing,
                        geometry.blocksInRing};
    return DumpPlan{0, offset / geometry.recordSize,
                    (offset + geometry.blockSize - 1) / geometry.blockSize};
}

int recordsReceived(StationFamily family, int blocks, int records)
{
    int received = 0;
    if (family == StationFamily::Tirrel)
        received = records <= kTirrelExactUpTo ? records : blocks * kTirrelRecordsPerBlock;
    else
        received = static_cast<int>(blocks * kClassicRecordsPerBlock);
    return std::min(received, records);
}

BlockVerdict checkBlock(std::span<const std::uint8_t> frame, int blocksReceived)
{
    if (frame[0] != protocol::kStartOfHeader)
        return BlockVerdict::BadHeader;
    const int number = frame[1];
    const bool complementRight = (frame[1] ^ kComplementMask) == frame[2];
    const int expected = (blocksReceived + 1) % kBlockNumbers;
    if (complementRight && (number + 1) % kBlockNumbers == expected && blocksReceived > 0)
        return BlockVerdict::Repeat;
    if (!complementRight || number != expected)
        return BlockVerdict::BadNumber;
    if (crc16(frame.subspan(kHeaderBytes)) != 0)
        return BlockVerdict::BadCrc;
    return BlockVerdict::Good;
}

ArchiveTransfer::ArchiveTransfer(StationLink& link, const StationModel& model, const DumpPlan& plan)
    : link_(link), model_(model), plan_(plan)
{
}

void ArchiveTransfer::start()
{
    data_.reserve(static_cast<std::size_t>(plan_.blocks * model_.archive.blockSize));
    // The station wants its period read before a dump; the value is not used.
    readArchivePeriod(link_);
    // A "DMP" the station did not take shows as a first block that never comes.
    link_.sendDump();
    link_.drain();
    sendByte(protocol::kCrcMode);
}

void ArchiveTransfer::sendByte(std::uint8_t byte)
{
    link_.port().writeByte(byte);
}

ArchiveTransfer::FrameRead ArchiveTransfer::readFrame(std::vector<std::uint8_t>& frame)
{
    SerialPort& port = link_.port();
    for (std::size_t i = 0; i < kFrameBytes; ++i) {
        const int byte = port.readByte();
        if (byte >= 0) {
            frame[i] = static_cast<std::uint8_t>(byte);
            continue;
        }
        const bool timedOut = port.lastError() == PortError::Timeout;
        if (timedOut && i < kHeaderBytes)
            return FrameRead::TimedOut;
        // A line error, or a read call that failed (adapter unplugged, line
        // closed): either way the block cannot come whole.
        rejectBlock(timedOut ? app::strings::kIncompleteBlockError : app::strings::kReadError,
                    true);
        return FrameRead::Bad;
    }
    return FrameRead::Whole;
}

void ArchiveTransfer::rejectBlock(std::string_view error, bool recover)
{
    if (recover) {
        link_.port().pause(kRecoveryMs);
        link_.drain();
    }
    sendByte(protocol::kNak);
    ++errors_;
    lastError_ = error.substr(0, kMaxErrorText);
}

ArchiveTransfer::State ArchiveTransfer::readNextBlock()
{
    if (state_ != State::Running)
        return state_;
    std::vector<std::uint8_t> frame(kFrameBytes);
    const FrameRead read = readFrame(frame);
    // Cancel pressed while the block came: ESC has gone out, nothing more does.
    if (state_ == State::Cancelled)
        return state_;
    if (read == FrameRead::TimedOut) {
        state_ = State::TimedOut;
        return state_;
    }
    if (read == FrameRead::Whole) {
        switch (checkBlock(frame, blocks_)) {
        case BlockVerdict::Good:
            data_.insert(data_.end(), frame.begin() + kHeaderBytes,
                         frame.begin() + kHeaderBytes + model_.archive.blockSize);
            sendByte(protocol::kAck);
            ++blocks_;
            break;
        case BlockVerdict::Repeat:
            sendByte(protocol::kAck);
            ++errors_;
            lastError_ = app::strings::kBlockNumberError;
            break;
        case BlockVerdict::BadHeader:
            // The rest of a frame that started late is still coming: drain it.
            rejectBlock(app::strings::kStartOfHeaderError, true);
            break;
        case BlockVerdict::BadNumber:
            rejectBlock(app::strings::kBlockNumberError, true);
            break;
        case BlockVerdict::BadCrc:
            rejectBlock(app::strings::kCrcError, true);
            break;
        }
    }
    if (errors_ > kMaxErrors) {
        sendByte(protocol::kEscape);
        state_ = State::TooManyErrors;
    } else if (blocks_ >= plan_.blocks) {
        // A short dump: the station would go on to the end of its memory.
        if (plan_.blocks < model_.archive.blocksInRing)
            sendByte(protocol::kEscape);
        state_ = State::Complete;
    }
    return state_;
}

void ArchiveTransfer::cancel()
{
    if (state_ != State::Running)
        return;
    sendByte(protocol::kEscape);
    state_ = State::Cancelled;
}

std::string ArchiveTransfer::progressText() const
{
    const int received = recordsReceived(model_.family, blocks_, plan_.records);
    char text[kProgressText];
    if (errors_ == 0)
        std::snprintf(text, sizeof text, app::strings::kDownloadProgress.data(), received,
                      plan_.records);
    else
        std::snprintf(text, sizeof text, app::strings::kDownloadProgressWithErrors.data(), received,
                      plan_.records, errors_, lastError_.c_str());
    return text;
}

double ArchiveTransfer::fraction() const
{
    return plan_.blocks == 0 ? 0.0 : static_cast<double>(blocks_) / plan_.blocks;
}

} // namespace bv::station
