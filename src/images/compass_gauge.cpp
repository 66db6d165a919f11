#include "images/compass_gauge.h"

#include <cmath>
#include <numbers>

#include "app/base/strings_images.h"
#include "images/radial_scale.h"

namespace bv::images {
namespace {

constexpr int kWindDirectionImage = 11;
constexpr int kRoseRadius = 60;
constexpr int kTickInner = 50;
constexpr int kLabelRadius = 68;
constexpr int kRedHubDiameter = 20;
constexpr int kBlackHubDiameter = 10;
constexpr int kCentreDotDiameter = 2;
constexpr int kLegendTop = 192;
constexpr int kFrameInset = 2;
constexpr double kTipRadius = 49;
constexpr double kCornerRadius = 10;
constexpr double kFillRadius = 12;
constexpr double kTurnFromQuarter = 270.0; // the corner line turns clockwise from here on

} // namespace

CompassGauge::CompassGauge(Background background, double direction)
    : CompassGauge(kSize, background, direction)
{
}

CompassGauge::CompassGauge(int height, Background background, double direction)
    : GaugeImage(kSize, height, std::string(app::strings::kCurrentImageTitles[kWindDirectionImage]),
                 background, kRed),
      direction_(direction), centre_{kSize / 2, kSize / 2 + 10}
{
}

void CompassGauge::drawFace(Canvas& canvas)
{
    drawCompassFace(canvas, true);
}

void CompassGauge::drawCompassFace(Canvas& canvas, bool hub)
{
    const Palette& colours = palette();
    drawFrame(canvas, Font::Giant);
    drawCompassScale(canvas, {centre_, kRoseRadius, kTickInner, kLabelRadius, Font::Large},
                     colours.black);
    if (hub) {
        canvas.arc(centre_, kRedHubDiameter, kRedHubDiameter, 0, 360, colours.accent);
        canvas.fill(centre_, colours.accent);
        canvas.arc(centre_, kBlackHubDiameter, kBlackHubDiameter, 0, 360, colours.black);
        canvas.fill(centre_, colours.black);
    } else {
        canvas.arc(centre_, kCentreDotDiameter, kCentreDotDiameter, 0, 360, colours.black);
        canvas.fill(centre_, colours.black);
        canvas.filledRectangle({kFrameInset, kLegendTop},
                               {width() - kFrameInset, height() - kFrameInset}, colours.background);
    }
}

// The needle: red lines from the tip, 49 pixels out, to two corners 10 pixels
// either side of the centre on the axis turned by atan(10/49); the wedge they
// close against the red hub is filled red. The corners' offsets are truncated
// towards the centre, so they stay on the hub and the wedge stays closed.
void CompassGauge::drawValue(Canvas& canvas)
{
    const int red = palette().accent;
    const double turn = std::atan(kCornerRadius / kTipRadius) * 180.0 / std::numbers::pi;
    const double turned = direction_ < kTurnFromQuarter ? direction_ - turn : direction_ + turn;
    const Point tip = pointOnBearing(centre_, kTipRadius, direction_);
    const Point corner = pointOnBearing({0, 0}, kCornerRadius, turned);
    canvas.line(tip, {centre_.x + corner.x, centre_.y + corner.y}, red);
    canvas.line(tip, {centre_.x - corner.x, centre_.y - corner.y}, red);
    canvas.fill(pointOnBearing(centre_, kFillRadius, direction_), red);
}

} // namespace bv::images
