#include "sim/paging_service.h"

#include <utility>

namespace bv::sim {

PagingService::PagingService()
    : ModemEmulator(&terminal_),
      terminal_([this](LineOutput& out) { dropCarrier(out); },
                [this](const ReceivedPage& page) {
                    tell(std::string(page.manual ? "manual" : "TAP") + " page for " + page.pagerId +
                         ": \"" + page.message + "\"" +
                         (page.checksumGood ? "" : " (bad checksum)") +
                         (page.refused ? " refused" : ""));
                })
{
}

void PagingService::tell(const std::string& text) const
{
    if (listener_)
        listener_(text);
}

void PagingService::onHook()
{
    if (!inToneCall_)
        return;
    inToneCall_ = false;
    tell("tone call to " + toneCalls_.back().number + ": " + toneCalls_.back().keyed);
}

void PagingService::onDial(const DialRecord& dial, LineOutput&)
{
    if (!dial.staysInCommandMode) {
        onHook();
        terminal_.reset();
        return;
    }
    if (inToneCall_) {
        toneCalls_.back().keyed += dial.dialString;
        return;
    }
    toneCalls_.push_back({dial.number, dial.dialString.substr(dial.number.size())});
    inToneCall_ = true;
}

} // namespace bv::sim
