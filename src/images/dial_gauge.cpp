#include "images/dial_gauge.h"

#include <string>

#include "app/base/strings_images.h"
#include "images/gauge_scales.h"
#include "images/radial_scale.h"

namespace bv::images {
namespace {

constexpr int kWindSpeedImage = 5;
constexpr int kDialRadius = 60;
constexpr int kTickInner = 50;
constexpr int kLabelRadius = 68;
constexpr int kNeedleRadius = 49;
constexpr int kHubDiameter = 6;
constexpr int kSteps = 10;
constexpr double kHalfTurn = 180.0;
constexpr double kDegreesPerStep = kHalfTurn / kSteps;
constexpr int kFillOffset = 10; // the sector is filled from (cx - 10, cy - 1)
constexpr int kUnitTextDrop = 25;
constexpr int kSpeedTextDrop = 45;
constexpr int kHighTextX = 15;
constexpr int kHighTextRise = 15;

} // namespace

DialGauge::DialGauge(Background background, double speed, double high, units::WindUnit unit)
    : GaugeImage(kSize, kSize, std::string(app::strings::kCurrentImageTitles[kWindSpeedImage]),
                 background, kBlue),
      speed_(speed), high_(high), unit_(unit),
      maximum_(dialMaximum(speed)), centre_{kSize / 2, kSize / 2 + 10}
{
}

void DialGauge::drawFace(Canvas& canvas)
{
    const int black = palette().black;
    drawFrame(canvas, Font::Giant);
    canvas.arc(centre_, 2 * kDialRadius, 2 * kDialRadius, 180, 360, black);
    const int step = maximum_ / kSteps;
    const RadialScale scale{centre_, kDialRadius, kTickInner, kLabelRadius, Font::Large};
    for (int v = 0; v <= maximum_; v += step)
        drawRadialMark(canvas, scale, kDegreesPerStep * (v / step), false, std::to_string(v),
                       black);
}

// The flood fill starts from a point just above the left half of the needle's
// base line. When the needle lies so low that its line passes over or below
// that point, a fill there would run out over the whole face, so the sliver is
// left unfilled.
bool DialGauge::sectorHoldsFillPoint(Point tip) const
{
    constexpr double kClearance = 1.5; // the line's pixel must lie at least a row above
    const int run = centre_.x - tip.x;
    if (run <= kFillOffset)
        return true; // a steep needle: the point is well inside
    return (centre_.y - tip.y) * static_cast<double>(kFillOffset) / run > kClearance;
}

void DialGauge::drawValue(Canvas& canvas)
{
    const Palette& colours = palette();
    const double fraction = speed_ / maximum_;
    const Point tip = pointFromLeft(centre_, kNeedleRadius, fraction * kHalfTurn);
    canvas.line(tip, centre_, colours.accent);
    canvas.line({centre_.x - kNeedleRadius, centre_.y}, centre_, colours.accent);
    canvas.arc(centre_, 2 * kNeedleRadius, 2 * kNeedleRadius, 180,
               static_cast<int>((fraction + 1) * kHalfTurn), colours.accent);
    if (speed_ > 0 && sectorHoldsFillPoint(tip))
        canvas.fill({centre_.x - kFillOffset, centre_.y - 1}, colours.accent);

    const int top = width() / 2 - fontSize(Font::Large).height / 2;
    const std::string_view unitText = app::strings::kWindSuffixes[static_cast<int>(unit_)];
    const std::string speedText = std::to_string(static_cast<int>(speed_));
    canvas.text(Font::Large,
                {width() / 2 - textWidth(Font::Large, unitText) / 2, top + kUnitTextDrop}, unitText,
                colours.black);
    canvas.text(Font::Large,
                {width() / 2 - textWidth(Font::Large, speedText) / 2, top + kSpeedTextDrop},
                speedText, colours.black);
    if (isReading(high_) && high_ >= 0)
        canvas.text(
            Font::Large, {kHighTextX, height() - fontSize(Font::Large).height - kHighTextRise},
            formatted(app::strings::kDialHighFormat, static_cast<int>(high_)), colours.black);

    canvas.arc(centre_, kHubDiameter, kHubDiameter, 0, 360, colours.black);
    canvas.fill({centre_.x, centre_.y + 1}, colours.black);
}

} // namespace bv::images
