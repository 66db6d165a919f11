#pragma once

#include <functional>
#include <string>
#include <vector>

#include "sim/modem_emulator.h"
#include "sim/paging_terminal.h"

namespace bv::sim {

// A call that stayed in command mode (a dial ending in ';'): a numeric pager
// or a telephone hearing touch tones until the modem hangs up.
struct ToneCall {
    std::string number; // the digits before the first pause
    // Everything dialled after the number, pauses included, across the
    // dials of the call: ",,,1*12*85*#,,," for a numeric page.
    std::string keyed;
    bool operator==(const ToneCall&) const = default;
};

// A paging service on the far side of the modem: calls that stay in command
// mode are recorded as tone calls (numeric pagers, telephones), data calls
// reach the alphanumeric PagingTerminal. Dial outcomes (BUSY, NO CARRIER,
// silence) come from scriptDial.
class PagingService : public ModemEmulator {
  public:
    PagingService();

    const std::vector<ToneCall>& toneCalls() const { return toneCalls_; }
    const std::vector<ReceivedPage>& pages() const { return terminal_.pages(); }
    // The next count TAP blocks are answered NAK.
    void refuseBlocks(int count) { terminal_.refuseBlocks(count); }

    // Told of each tone call as it ends and of each page as it is taken.
    void setListener(std::function<void(const std::string&)> listener)
    {
        listener_ = std::move(listener);
    }

  protected:
    void onDial(const DialRecord& dial, LineOutput& out) override;
    void onHook() override;

  private:
    void tell(const std::string& text) const;

    std::function<void(const std::string&)> listener_;
    PagingTerminal terminal_;
    std::vector<ToneCall> toneCalls_;
    bool inToneCall_ = false;
};

} // namespace bv::sim
