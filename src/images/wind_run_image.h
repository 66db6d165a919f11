#pragma once

#include <array>
#include <optional>
#include <span>

#include "images/gauge_image.h"
#include "images/graph_period.h"
#include "units/units_selection.h"

namespace bv::images {

inline constexpr int kCompassPoints = 16;

// One record of the wind run: minutes after the period's start, the average
// speed in whole mph and the compass point the wind came from (0 N .. 15 NNW).
struct TimedWind {
    int minute = 0;
    int mph = 0;
    int point = 0;
};

// Mph-minutes of air moved towards each compass point (0 N .. 15 NNW).
struct WindRun {
    std::array<double, kCompassPoints> towards{};
    double total = 0;
};

// Each interval between consecutive records counts once, at the earlier
// record's speed, towards the point opposite its direction. Nothing with fewer
// than 3 records (2 intervals).
std::optional<WindRun> accumulateWindRun(std::span<const TimedWind> records);

// The wind run graph, 300 x 360: a rose of where the air went in per cent of
// the whole, and the distance and mean speed over the period.
class WindRunImage final : public GaugeImage {
  public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 360;

    WindRunImage(Background background, const WindRun& run, const GraphPeriod& period,
                 units::WindUnit unit, const units::RegionalSettings& regional);

  protected:
    void drawFace(Canvas& canvas) override;
    void drawValue(Canvas& canvas) override;

  private:
    void drawRingLabels(Canvas& canvas, int labelStep) const;
    void drawTexts(Canvas& canvas) const;

    WindRun run_;
    GraphPeriod period_;
    units::WindUnit unit_;
    const units::RegionalSettings& regional_;
    Point centre_;
};

} // namespace bv::images
