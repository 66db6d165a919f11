#pragma once

#include <cstdint>

#include "sim/raw_sample.h"

namespace bv::sim {

// Quantities the station adds up over time.
struct Amounts {
    int rainTips = 0;
    double windRunMiles = 0;
    double etInches = 0;
    double degreeDays = 0; // degree F x days
    double solarLangleys = 0;

    Amounts& operator+=(const Amounts& other);
};

// Averages and extremes of the samples of one archive period.
class PeriodSummary {
  public:
    void add(const RawSample& s);
    // Rounded mean of the valid samples, kMissing when there was none.
    int average(Reading r) const;
    int highest(Reading r) const; // kMissing when there was none
    int lowest(Reading r) const;
    // Direction of the mean wind vector (speed-weighted), kMissing when calm
    // throughout or the vane is missing.
    int prevailingDirection() const;
    int sampleCount() const { return count_; }

    Amounts amounts;

  private:
    struct Stat {
        double sum = 0;
        int count = 0;
        int high = kMissing;
        int low = kMissing;
    };
    const Stat& stat(Reading r) const { return stats_[static_cast<std::size_t>(r)]; }

    std::array<Stat, kReadingCount> stats_{};
    double windEast_ = 0;
    double windNorth_ = 0;
    int count_ = 0;
};

// Running totals: since the station was cleared, today's, and the current
// archive period's.
struct StationTotals {
    Amounts total;
    Amounts daily;
    PeriodSummary period;
    int periodsOf90Min = 0; // complete 90-minute periods behind the totals
    std::int64_t msIntoPeriod90 = 0;

    void add(const Amounts& step, std::int64_t stepMs);
};

} // namespace bv::sim
