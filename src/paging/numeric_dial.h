#pragma once

#include <string>
#include <string_view>

#include "paging/pager_entry.h"

namespace bv::paging {

// How a numeric pager is called: the dial command, which leaves the modem in
// command mode, and how long to wait before asking the modem for "OK".
struct NumericDial {
    std::string command; // "atdt" number, pauses [, access number, pauses] ";\r"
    int waitSec = 0;
};

// One "," (a 2-second pause of the modem) for every started 2 seconds of each delay.
NumericDial numericDial(const PagerEntry& entry);

// What the status line and the log show of a numeric page line: from the
// first "0*" or "1*" up to the "#" (the whole line when neither comes before
// it), stars shown as dashes.
std::string numericDisplayText(std::string_view pageLine);

} // namespace bv::paging
