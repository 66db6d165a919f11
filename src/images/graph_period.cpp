#include "images/graph_period.h"

namespace bv::images {

std::optional<GraphPeriod> graphPeriod(const std::vector<ArchiveRecord>& records,
                                       std::size_t minimumCount)
{
    if (records.size() < minimumCount || records.empty())
        return std::nullopt;
    GraphPeriod period{records.front().stamp, records.back().stamp, 0};
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
