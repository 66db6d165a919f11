#include "images/graph_period.h"

namespace bv::images {

std::optional<GraphPeriod> graphPeriod(std::span<const units::DateTime> stamps,
                                       std::size_t minimumCount)
{
    if (stamps.size() < minimumCount || stamps.empty())
        return std::nullopt;
    GraphPeriod period{stamps.front(), stamps.back(), 0};
    period.minutes = minutesBetween(period.start, period.end);
    if (period.minutes <= 0)
        return std::nullopt;
    return period;
}

std::string dateAndTime(const units::DateTime& time, const units::RegionalSettings& regional)
{
    return time.shortDate(regional) + " " + time.timeText(regional);
}

} // namespace bv::images
