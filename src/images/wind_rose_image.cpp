#include "images/wind_rose_image.h"

#include "app/base/strings_images.h"

namespace bv::images {
namespace {

constexpr double kOuterRadius = 60;
constexpr double kPointBearing = 22.5;
constexpr int kDotDiameter = 2;
constexpr Point kCentreLegend{5, 197};
constexpr Point kBorderLegend{5, 223};

} // namespace

WindRoseImage::WindRoseImage(Background background, std::vector<TimedDirection> directions,
                             const GraphPeriod& period, const units::RegionalSettings& regional)
    : CompassGauge(kHeight, background, 0), directions_(std::move(directions)), period_(period),
      regional_(regional)
{
}

void WindRoseImage::allocateColours(Canvas& canvas)
{
    CompassGauge::allocateColours(canvas);
    purple_ = canvas.allocateColor(kPurple);
}

void WindRoseImage::drawFace(Canvas& canvas)
{
    drawCompassFace(canvas, false);
}

void WindRoseImage::drawValue(Canvas& canvas)
{
    const int black = palette().black;
    // A dot drawn again where one already is changes no pixel, and records
    // often repeat a direction at nearly the same time.
    std::vector<bool> dotted(static_cast<std::size_t>(width() * height()));
    for (const TimedDirection& d : directions_) {
        const double radius =
            static_cast<int>(static_cast<double>(d.minute) * kOuterRadius / period_.minutes);
        const Point at = pointOnBearing(centre(), radius, kPointBearing * d.point);
        const auto pixel = static_cast<std::size_t>(at.y * width() + at.x);
        if (pixel >= dotted.size() || dotted[pixel])
            continue;
        dotted[pixel] = true;
        canvas.arc(at, kDotDiameter, kDotDiameter, 0, 360, purple_);
        canvas.fill(at, black);
    }
    canvas.text(Font::MediumBold, kCentreLegend,
                std::string(app::strings::kRoseCentre) + dateAndTime(period_.start, regional_),
                black);
    canvas.text(Font::MediumBold, kBorderLegend,
                std::string(app::strings::kRoseBorder) + dateAndTime(period_.end, regional_),
                black);
}

} // namespace bv::images
