#include "sim/paging_terminal.h"

#include <string_view>

namespace bv::sim {

namespace {

constexpr char kStx = 0x02;
constexpr char kEtx = 0x03;
constexpr char kEot = 0x04;
constexpr char kAck = 0x06;
constexpr char kNak = 0x15;
constexpr char kEsc = 0x1B;
constexpr char kCr = 0x0D;
constexpr std::string_view kLogin = "\x1bPG1";
constexpr std::string_view kManualLogin = "M";
constexpr std::string_view kIdPrompt = "ID=";
// Accepted for TAP version 1.8, then ACK and "go ahead".
constexpr std::string_view kLoginAccepted = "110 1.8\r\x06\r\x1b[p\r";
constexpr std::string_view kPagerIdPrompt = "\r\nPager ID: ";
constexpr std::string_view kMessagePrompt = "\r\nMessage: ";
constexpr std::string_view kPageAccepted = "\r\nPage accepted\r\n";
constexpr std::size_t kChecksumChars = 3;
constexpr unsigned kChecksumMask = 0xFFF;
constexpr unsigned kNibbleBits = 4;
constexpr unsigned kNibbleMask = 0xF;

void say(std::string_view text, LineOutput& out)
{
    out.send(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// Whether the three characters after ETX carry the 12-bit sum of STX..ETX,
// most significant nibble first, each as '0' + nibble.
bool checksumMatches(std::string_view framed, std::string_view checksum)
{
    unsigned sum = 0;
    for (const char c : framed)
        sum += static_cast<unsigned char>(c);
    sum &= kChecksumMask;
    for (std::size_t i = 0; i < kChecksumChars; ++i) {
        const unsigned shift = kNibbleBits * static_cast<unsigned>(kChecksumChars - 1 - i);
        if (static_cast<unsigned>(checksum[i] - '0') != ((sum >> shift) & kNibbleMask))
            return false;
    }
    return true;
}

} // namespace

void PagingTerminal::reset()
{
    state_ = State::Prompt;
    pending_.clear();
}

void PagingTerminal::onBytes(std::span<const std::uint8_t> bytes, LineOutput& out)
{
    pending_.append(bytes.begin(), bytes.end());
    while (takeUnit(out)) {
    }
}

bool PagingTerminal::takeUnit(LineOutput& out)
{
    if (state_ == State::Blocks && pending_.starts_with(kStx)) {
        // STX ... ETX, the checksum and CR: CRs inside the block are separators.
        const std::size_t etx = pending_.find(kEtx);
        const std::size_t end = etx == std::string::npos ? etx : etx + kChecksumChars + 1;
        if (end == std::string::npos || pending_.size() < end + 1)
            return false;
        const std::string block = pending_.substr(0, end + 1);
        pending_.erase(0, end + 1);
        onBlock(block, out);
        return true;
    }
    const std::size_t cr = pending_.find(kCr);
    if (cr == std::string::npos)
        return false;
    const std::string line = pending_.substr(0, cr);
    pending_.erase(0, cr + 1);
    onLine(line, out);
    return true;
}

void PagingTerminal::onLine(const std::string& line, LineOutput& out)
{
    switch (state_) {
    case State::Prompt:
        if (line.starts_with(kLogin)) {
            say(kLoginAccepted, out);
            state_ = State::Blocks;
        } else if (line == kManualLogin) {
            say(kPagerIdPrompt, out);
            state_ = State::ManualId;
        } else {
            say(kIdPrompt, out);
        }
        break;
    case State::Blocks:
        if (line == std::string(1, kEot)) {
            say(std::string{kEsc, kEot, kCr}, out);
            reset();
            disconnect_(out);
        }
        break; // anything else between blocks is line noise
    case State::ManualId:
        manualPage_ = ReceivedPage{line, {}, true, true, false};
        say(kMessagePrompt, out);
        state_ = State::ManualMessage;
        break;
    case State::ManualMessage:
        if (!line.empty()) {
            manualPage_.message += manualPage_.message.empty() ? line : "\r" + line;
            break;
        }
        take(manualPage_);
        say(kPageAccepted, out);
        state_ = State::Prompt;
        break;
    }
}

void PagingTerminal::take(const ReceivedPage& page)
{
    pages_.push_back(page);
    taken_(page);
}

void PagingTerminal::onBlock(const std::string& block, LineOutput& out)
{
    // STX id CR message CR ETX c c c CR
    const std::size_t etx = block.find(kEtx);
    const std::string_view framed = std::string_view(block).substr(0, etx + 1);
    const std::string_view fields = framed.substr(1, framed.size() - 2);
    const std::size_t idEnd = fields.find(kCr);
    ReceivedPage page;
    page.pagerId = std::string(fields.substr(0, idEnd));
    if (idEnd != std::string_view::npos) {
        std::string_view message = fields.substr(idEnd + 1);
        if (message.ends_with(kCr))
            message.remove_suffix(1);
        page.message = std::string(message);
    }
    page.checksumGood = checksumMatches(framed, std::string_view(block).substr(etx + 1));
    page.refused = !page.checksumGood || refusals_ > 0;
    if (refusals_ > 0)
        --refusals_;
    take(page);
    say(std::string{page.refused ? kNak : kAck, kCr}, out);
}

} // namespace bv::sim
