#include "sim/paging_service.h"

namespace bv::sim {

PagingService::PagingService()
    : ModemEmulator(&terminal_), terminal_([this](LineOutput& out) { dropCarrier(out); })
{
}

void PagingService::onDial(const DialRecord& dial, LineOutput&)
{
    if (!dial.staysInCommandMode) {
        inToneCall_ = false;
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
