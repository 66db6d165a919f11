#pragma once

#include <vector>

#include "images/archive_reader.h"

namespace bv::images {

// The span of time a graph covers: from the first usable record to the last.
struct GraphPeriod {
    units::DateTime start;
    units::DateTime end;
    int minutes = 0; // end - start
};

// The period of the usable records' time stamps (in file order); nothing when
// there are fewer than minimumCount or the period has no length (all stamped
// alike), which would leave nothing to scale the time axis by.
std::optional<GraphPeriod> graphPeriod(std::span<const units::DateTime> stamps,
                                       std::size_t minimumCount);

// " 3-05-01 12:30a": the short date, a blank and the time.
std::string dateAndTime(const units::DateTime& time, const units::RegionalSettings& regional);

} // namespace bv::images
