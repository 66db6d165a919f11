#include "sim/station_totals.h"

#include <cmath>
#include <numbers>

#include "sim/local_time.h"

namespace bv::sim {

namespace {
constexpr std::int64_t kCountingPeriodMs = 90 * kMsPerMinute;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
} // namespace

Amounts& Amounts::operator+=(const Amounts& other)
{
    rainTips += other.rainTips;
    windRunMiles += other.windRunMiles;
    etInches += other.etInches;
    degreeDays += other.degreeDays;
    solarLangleys += other.solarLangleys;
    return *this;
}

void PeriodSummary::add(const RawSample& s)
{
    ++count_;
    for (std::size_t i = 0; i < stats_.size(); ++i) {
        const int v = s.values[i];
        if (v == kMissing)
            continue;
        Stat& st = stats_[i];
        st.sum += v;
        ++st.count;
        st.high = st.high == kMissing ? v : std::max(st.high, v);
        st.low = st.low == kMissing ? v : std::min(st.low, v);
    }
    if (!s.missing(Reading::WindDirection) && !s.missing(Reading::WindSpeed)) {
        const double angle = s[Reading::WindDirection] * kRadiansPerDegree;
        windEast_ += s[Reading::WindSpeed] * std::sin(angle);
        windNorth_ += s[Reading::WindSpeed] * std::cos(angle);
    }
}

int PeriodSummary::average(Reading r) const
{
    const Stat& st = stat(r);
    return st.count == 0 ? kMissing : static_cast<int>(std::lround(st.sum / st.count));
}

int PeriodSummary::highest(Reading r) const
{
    return stat(r).high;
}

int PeriodSummary::lowest(Reading r) const
{
    return stat(r).low;
}

int PeriodSummary::prevailingDirection() const
{
    if (windEast_ == 0.0 && windNorth_ == 0.0)
        return kMissing;
    const double deg = std::atan2(windEast_, windNorth_) / kRadiansPerDegree;
    return static_cast<int>(std::lround(deg + 360.0)) % 360;
}

void StationTotals::add(const Amounts& step, std::int64_t stepMs)
{
    total += step;
    daily += step;
    period.amounts += step;
    msIntoPeriod90 += stepMs;
    while (msIntoPeriod90 >= kCountingPeriodMs) {
        msIntoPeriod90 -= kCountingPeriodMs;
        ++periodsOf90Min;
    }
}

} // namespace bv::sim
