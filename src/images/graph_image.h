#pragma once

#include <string>
#include <vector>

#include "images/gauge_image.h"
#include "images/graph_period.h"

namespace bv::images {

// One point of a line graph: minutes after the period's start and the value.
struct TimedValue {
    int minute = 0;
    float value = 0;
};

// A line graph, 320 x 200: one quantity against time over a grid of five by
// five cells, value labels on the left, dates and times below, the series in
// blue.
class GraphImage final : public GaugeImage {
  public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 200;

    GraphImage(std::string title, Background background, std::vector<TimedValue> points,
               const GraphPeriod& period, Scale scale, bool twoDecimals,
               const units::RegionalSettings& regional);

  protected:
    // Black, white, red, light green twice, blue, then the background.
    void allocateColours(Canvas& canvas) override;
    void drawFace(Canvas& canvas) override;
    void drawValue(Canvas& canvas) override;

  private:
    void drawLabels(Canvas& canvas) const;
    Point plotPoint(const TimedValue& point) const;

    std::vector<TimedValue> points_;
    GraphPeriod period_;
    Scale scale_;
    bool twoDecimals_;
    const units::RegionalSettings& regional_;
    int blue_ = 0;
};

} // namespace bv::images
