#include "images/radial_scale.h"

#include <array>

#include "app/base/strings_weather.h"
#include "images/gauge_image.h"

namespace bv::images {
namespace {

constexpr double kStraightUp = 90.0;
constexpr double kCompassStep = 22.5;
constexpr int kHalfCirclePoints = 8;
constexpr int kNone = -1;
// Compass point numbers (0 N .. 15 NNW) of the labels, tick by tick from the left.
constexpr std::array<int, 9> kUpperPoints = {12, kNone, 14, kNone, 0, kNone, 2, kNone, 4};
constexpr std::array<int, 9> kLowerPoints = {kNone, kNone, 6, kNone, 8, kNone, 10, kNone, kNone};

std::string_view pointName(int point)
{
    return point == kNone ? std::string_view{}
                          : app::strings::kCompassPoints[static_cast<std::size_t>(point)].text;
}

} // namespace

void drawRadialMark(Canvas& canvas, const RadialScale& scale, double degrees, bool below,
                    std::string_view label, int color)
{
    const double sign = below ? -1.0 : 1.0;
    const bool vertical = degrees == kStraightUp;
    Point outer = pointFromLeft(scale.centre, sign * scale.outer, degrees);
    Point inner = pointFromLeft(scale.centre, sign * scale.inner, degrees);
    if (vertical)
        outer.x = inner.x = scale.centre.x;
    canvas.line(outer, inner, color);
    if (label.empty())
        return;
    Point anchor = pointFromLeft(scale.centre, sign * scale.label, degrees);
    Align align = anchor.x < scale.centre.x ? Align::Right : Align::Left;
    if (vertical) {
        anchor.x = scale.centre.x;
        align = Align::Centre;
    }
    drawAnchoredText(canvas, scale.font, anchor, align, label, color);
}

void drawCompassScale(Canvas& canvas, const RadialScale& scale, int color)
{
    canvas.arc(scale.centre, 2 * scale.outer, 2 * scale.outer, 0, 360, color);
    for (int i = 0; i <= kHalfCirclePoints; ++i)
        drawRadialMark(canvas, scale, kCompassStep * i, false, pointName(kUpperPoints[i]), color);
    for (int i = 1; i < kHalfCirclePoints; ++i)
        drawRadialMark(canvas, scale, kCompassStep * i, true, pointName(kLowerPoints[i]), color);
}

} // namespace bv::images
