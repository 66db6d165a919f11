#include "sim/dump_session.h"

#include "sim/wire_bytes.h"
#include "sim/xmodem_crc.h"

namespace bv::sim {

namespace {
constexpr std::uint8_t kByteMask = 0xFF;
}

void DumpSession::arm()
{
    state_ = State::Armed;
    block_ = 0;
    holds_ = 0;
}

DumpSession::Action DumpSession::onByte(std::uint8_t byte)
{
    if (state_ == State::Armed) {
        if (byte == wire::kDumpGo) {
            state_ = State::Sending;
            return Action::SendBlock;
        }
        state_ = State::Idle;
        return byte == wire::kEscape ? Action::None : Action::NotMine;
    }
    if (state_ != State::Sending)
        return Action::NotMine;
    switch (byte) {
    case wire::kAck:
        if (holds_ > 0) {
            --holds_;
            return Action::SendBlock;
        }
        if (++block_ >= ArchiveRing::kBlockCount) {
            state_ = State::Idle;
            return Action::None;
        }
        return Action::SendBlock;
    case wire::kNak:
        return Action::SendBlock;
    case wire::kEscape:
        state_ = State::Idle;
        return Action::None;
    default:
        if (byte >= 'A' && byte <= 'Z') {
            state_ = State::Idle;
            return Action::NotMine;
        }
        return Action::None;
    }
}

std::vector<std::uint8_t> DumpSession::frameBlock(const ArchiveRing& ring, int index)
{
    const auto number = static_cast<std::uint8_t>((index + 1) & kByteMask);
    std::vector<std::uint8_t> frame{wire::kStartOfBlock, number,
                                    static_cast<std::uint8_t>(number ^ kByteMask)};
    const auto data = ring.block(index);
    frame.insert(frame.end(), data.begin(), data.end());
    appendCrc(frame, 3);
    return frame;
}

} // namespace bv::sim
