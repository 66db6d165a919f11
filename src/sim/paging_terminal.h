#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "sim/line_peer.h"

namespace bv::sim {

// A page the terminal took.
struct ReceivedPage {
    std::string pagerId;
    std::string message;
    bool manual = false;      // typed at the prompts rather than sent as a TAP block
    bool checksumGood = true; // TAP: the block's checksum matched its characters
    bool refused = false;     // TAP: answered NAK
    bool operator==(const ReceivedPage&) const = default;
};

// The paging service's terminal behind its modem, as an alphanumeric page
// reaches it once the call is up. A CR gets the "ID=" prompt. ESC "PG1"
// (with an optional password) and CR log in to the Telocator Alphanumeric
// Protocol: "110 1.8", ACK, ESC "[p" (go ahead); then each block STX, ID,
// CR, message, CR, ETX, three checksum characters and CR is checked and
// answered ACK CR when its checksum matches, NAK CR when not; EOT CR ends the
// call with ESC EOT CR. "M" CR at the prompt starts the manual dialogue
// instead: "Pager ID:", the ID and CR, "Message:", the message lines ended by
// an empty line, "Page accepted".
class PagingTerminal : public LinePeer {
  public:
    // disconnect hangs the call up from this end; taken hears of each page.
    PagingTerminal(std::function<void(LineOutput&)> disconnect,
                   std::function<void(const ReceivedPage&)> taken)
        : disconnect_(std::move(disconnect)), taken_(std::move(taken))
    {
    }

    // The next count blocks are answered NAK whatever their checksum, as a
    // line error would have them.
    void refuseBlocks(int count) { refusals_ = count; }
    // A new call: back to the prompt.
    void reset();
    void onBytes(std::span<const std::uint8_t> bytes, LineOutput& out) override;

    // Pages taken, refused blocks included (checksumGood false).
    const std::vector<ReceivedPage>& pages() const { return pages_; }

  private:
    enum class State { Prompt, Blocks, ManualId, ManualMessage };

    // Takes one complete unit (a line, a block) off the front of pending_;
    // false when more bytes are needed.
    bool takeUnit(LineOutput& out);
    void onLine(const std::string& line, LineOutput& out);
    void onBlock(const std::string& block, LineOutput& out);

    void take(const ReceivedPage& page);

    std::function<void(LineOutput&)> disconnect_;
    std::function<void(const ReceivedPage&)> taken_;
    State state_ = State::Prompt;
    std::string pending_;
    ReceivedPage manualPage_;
    std::vector<ReceivedPage> pages_;
    int refusals_ = 0;
};

} // namespace bv::sim
