#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "paging/alarm_codes.h"
#include "paging/pager_entry.h"

namespace bv::paging {

// The longest line of "sendpages.dat", line end included. Page lines are
// composed to fit: items that would pass it are left off whole, so the
// numeric pager's hang-up tail is always there.
inline constexpr std::size_t kMaxQueueLineChars = 250;

// A met alarm of quantity 0..10 with its page value.
struct QuantityAlarmHit {
    int quantity = 0;
    int value = 0;
};

// A met AND alarm (0 or 1) with the readings of its two conditions, in the
// quantity's units; a condition without a quantity or without a reading
// holds a missing value and pages 9999.
struct AndAlarmHit {
    int alarm = 0;
    std::array<double, 2> readings{};
};

struct AlarmHits {
    std::vector<QuantityAlarmHit> quantities;
    std::vector<AndAlarmHit> andAlarms;

    bool empty() const { return quantities.empty() && andAlarms.empty(); }
};

// Page lines, each ending in its newline. The current-weather page goes to
// numeric and alphanumeric pagers only; values are the page values of the
// included quantities in index order.
std::optional<std::string> weatherPageLine(const PagerEntry& entry, std::span<const int> values);
std::string alarmPageLine(const PagerEntry& entry, const AlarmHits& hits, const AlarmCodes& codes);
std::string stationErrorPageLine(const PagerEntry& entry);

} // namespace bv::paging
