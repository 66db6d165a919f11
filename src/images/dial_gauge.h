#pragma once

#include "images/gauge_image.h"
#include "units/units_selection.h"

namespace bv::images {

// The wind speed dial, 192 x 192: a half circle scaled 0 to 20, 100 or a
// multiple of 100, a blue needle with the swept sector filled, the unit and
// the speed below, and the day's high when known.
class DialGauge final : public GaugeImage {
  public:
    static constexpr int kSize = 192;

    // high: the day's high in the wind unit, negative when none.
    DialGauge(Background background, double speed, double high, units::WindUnit unit);

  protected:
    void drawFace(Canvas& canvas) override;
    void drawValue(Canvas& canvas) override;

  private:
    bool sectorHoldsFillPoint(Point tip) const;

    double speed_;
    double high_;
    units::WindUnit unit_;
    int maximum_;
    Point centre_;
};

} // namespace bv::images
