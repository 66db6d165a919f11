#pragma once

#include <string>

#include "images/gauge_image.h"

namespace bv::images {

// The wind direction compass, 192 x 192: a compass rose with a red hub and a
// slim red needle pointing into the wind direction.
class CompassGauge : public GaugeImage {
  public:
    static constexpr int kSize = 192;

    // direction in degrees clockwise from north.
    CompassGauge(Background background, double direction);

  protected:
    // For images that reuse the rose at another height (the wind direction
    // graph).
    CompassGauge(int height, Background background, double direction);

    void drawFace(Canvas& canvas) override;
    void drawValue(Canvas& canvas) override;

    // The frame, title and rose; with the hub, the red and black hub of the
    // current-weather compass, else a black centre dot and the legend strip
    // below the rose.
    void drawCompassFace(Canvas& canvas, bool hub);

    Point centre() const { return centre_; }

  private:
    double direction_;
    Point centre_;
};

} // namespace bv::images
