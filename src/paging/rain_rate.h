#pragma once

#include <cstdint>
#include <optional>

#include "station/result_codes.h"

namespace bv::paging {

// The rain rate of the classic models, which keep no rate of their own: the
// change of the station's rain reading between two runs, per hour. Lives for
// the whole run of the program.
//
// The first reading after start gives missing (-100) and becomes the
// reference. Readings less than a whole minute after the reference report the
// rate found last (missing if none) and keep the reference, so the next
// reading spans the longer time. A reading below the reference (the station
// started its count again) gives missing and becomes the new reference. A
// missing or unanswered reading gives missing and changes nothing.
class RainRateTracker {
  public:
    static constexpr std::int64_t kMsPerMinute = 60000;
    static constexpr double kMinutesPerHour = 60;

    double rateAt(double reading, std::int64_t monotonicMs);

  private:
    struct Reference {
        double reading;
        std::int64_t ms;
    };
    std::optional<Reference> reference_;
    double lastRate_ = station::kMissingValue;
};

} // namespace bv::paging
