#pragma once

#include <vector>

#include "images/compass_gauge.h"
#include "images/graph_period.h"

namespace bv::images {

// One record of the wind direction graph: minutes after the period's start and
// the compass point (0 N .. 15 NNW).
struct TimedDirection {
    int minute = 0;
    int point = 0;
};

// The wind direction graph, 192 x 252: the compass rose with every record's
// direction as a dot, time growing outwards from the oldest record at the
// centre to the newest on the circle, and the two times in a legend below.
class WindRoseImage final : public CompassGauge {
  public:
    static constexpr int kHeight = 252;

    WindRoseImage(Background background, std::vector<TimedDirection> directions,
                  const GraphPeriod& period, const units::RegionalSettings& regional);

  protected:
    void allocateColours(Canvas& canvas) override;
    void drawFace(Canvas& canvas) override;
    void drawValue(Canvas& canvas) override;

  private:
    std::vector<TimedDirection> directions_;
    GraphPeriod period_;
    const units::RegionalSettings& regional_;
    int purple_ = 0;
};

} // namespace bv::images
