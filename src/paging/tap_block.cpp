#include "paging/tap_block.h"

namespace bv::paging {

namespace {
constexpr unsigned kChecksumMask = 0xFFF;
constexpr int kNibbleBits = 4;
constexpr unsigned kNibbleMask = 0xF;
constexpr int kChecksumChars = 3;
// STX, the two CRs and ETX around the ID and the message.
constexpr std::size_t kFramingChars = 4;
} // namespace

std::string tapChecksum(std::string_view text)
{
    unsigned sum = 0;
    for (const char c : text)
        sum += static_cast<unsigned char>(c);
    sum &= kChecksumMask;
    std::string digits;
    for (int i = kChecksumChars - 1; i >= 0; --i)
        digits += static_cast<char>('0' + ((sum >> (i * kNibbleBits)) & kNibbleMask));
    return digits;
}

std::string tapBlock(std::string_view pagerId, std::string_view message)
{
    const std::size_t room = pagerId.size() + kFramingChars >= tap::kMaxBlockChars
                                 ? 0
                                 : tap::kMaxBlockChars - kFramingChars - pagerId.size();
    std::string block;
    block += tap::kStx;
    block += pagerId;
    block += tap::kCr;
    block += message.substr(0, room);
    block += tap::kCr;
    block += tap::kEtx;
    block += tapChecksum(block);
    block += tap::kCr;
    return block;
}

} // namespace bv::paging
