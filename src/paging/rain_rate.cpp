#include "paging/rain_rate.h"

#include "paging/alarm_quantity.h"
#include "station/result_codes.h"

namespace bv::paging {

double RainRateTracker::rateAt(double reading, std::int64_t monotonicMs)
{
    if (isMissingReading(reading))
        return station::kMissingValue;
    if (!reference_ || reading < reference_->reading) {
        reference_ = Reference{reading, monotonicMs};
        lastRate_ = station::kMissingValue;
        return lastRate_;
    }
    const std::int64_t minutes = (monotonicMs - reference_->ms) / kMsPerMinute;
    if (minutes <= 0)
        return lastRate_;
    lastRate_ = (reading - reference_->reading) * kMinutesPerHour / static_cast<double>(minutes);
    reference_ = Reference{reading, monotonicMs};
    return lastRate_;
}

} // namespace bv::paging
