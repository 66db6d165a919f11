#include "paging/numeric_dial.h"

#include <algorithm>

namespace bv::paging {

namespace {
constexpr int kSecondsPerComma = 2;

std::string pauses(int seconds)
{
    const int commas = std::max(0, (seconds + kSecondsPerComma - 1) / kSecondsPerComma);
    return std::string(static_cast<std::size_t>(commas), ',');
}
} // namespace

NumericDial numericDial(const PagerEntry& entry)
{
    NumericDial dial;
    dial.command = "atdt" + entry.number + pauses(entry.connectDelaySec);
    dial.waitSec = entry.connectDelaySec;
    if (entry.hasAccessNumber()) {
        dial.command += entry.access + pauses(entry.accessDelaySec);
        dial.waitSec += entry.accessDelaySec;
    }
    dial.command += ";\r";
    return dial;
}

std::string numericDisplayText(std::string_view pageLine)
{
    // The modem's CR at the end of the line is no part of the page.
    if (pageLine.ends_with('\r'))
        pageLine.remove_suffix(1);
    const std::string_view head = pageLine.substr(0, pageLine.find('#'));
    const std::size_t start = std::min(head.find("0*"), head.find("1*"));
    std::string text(start == std::string_view::npos ? pageLine : head.substr(start));
    std::replace(text.begin(), text.end(), '*', '-');
    return text;
}

} // namespace bv::paging
