#include "images/wind_run_image.h"

#include <algorithm>
#include <string>

#include "app/base/strings_images.h"
#include "images/radial_scale.h"
#include "units/conversions.h"

namespace bv::images {
namespace {

namespace text = app::strings;

constexpr int kRoseRadius = 115;
constexpr int kTickInner = 105;
constexpr int kLabelRadius = 123;
constexpr int kRingStep = 23; // five rings, 46 to 230 pixels across
constexpr int kRings = 5;
constexpr double kPointBearing = 22.5;
constexpr int kHeadBack = 5;
constexpr double kHeadSpread = 3.0;
constexpr double kWidePercent = 50.0; // above it, 115 pixels stand for 100 per cent
constexpr int kFrameInset = 2;
constexpr double kMinutesPerHour = 60.0;
constexpr double kNauticalMilesPerMile = 0.86898;
constexpr double kKilometresPerMile = 1.60934;

constexpr Point kTimePeriodAt{10, 302};
constexpr Point kFromAt{10, 313};
constexpr Point kToAt{10, 324};
constexpr Point kTotalAt{180, 302};
constexpr Point kDistanceAt{180, 313};
constexpr Point kAverageAt{180, 324};
constexpr Point kSpeedAt{180, 337};

int opposite(int point)
{
    return (point + kCompassPoints / 2) % kCompassPoints;
}

double percentOf(const WindRun& run, int point)
{
    return run.total > 0 ? run.towards[static_cast<std::size_t>(point)] * 100.0 / run.total : 0.0;
}

} // namespace

std::optional<WindRun> accumulateWindRun(std::span<const TimedWind> records)
{
    constexpr std::size_t kFewestRecords = 3;
    if (records.size() < kFewestRecords)
        return std::nullopt;
    WindRun run;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const TimedWind& earlier = records[i - 1];
        const double moved = static_cast<double>(records[i].minute - earlier.minute) * earlier.mph;
        run.towards[static_cast<std::size_t>(opposite(earlier.point))] += moved;
        run.total += moved;
    }
    return run;
}

WindRunImage::WindRunImage(Background background, const WindRun& run, const GraphPeriod& period,
                           units::WindUnit unit, const units::RegionalSettings& regional)
    : GaugeImage(kWidth, kHeight, std::string(text::kWindRunTitle), background, kRed), run_(run),
      period_(period), unit_(unit), regional_(regional), centre_{kWidth / 2, kWidth / 2 + 10}
{
}

void WindRunImage::drawFace(Canvas& canvas)
{
    const Palette& colours = palette();
    drawFrame(canvas, Font::Giant);
    canvas.filledRectangle({kFrameInset, kWidth}, {kWidth - kFrameInset, kHeight - kFrameInset},
                           colours.lightGreen);
    drawCompassScale(canvas, {centre_, kRoseRadius, kTickInner, kLabelRadius, Font::Large},
                     colours.black);
    for (int ring = 1; ring < kRings; ++ring)
        canvas.arc(centre_, 2 * kRingStep * ring, 2 * kRingStep * ring, 0, 360, colours.black);
    canvas.line({centre_.x - kRoseRadius, centre_.y}, {centre_.x + kRoseRadius, centre_.y},
                colours.black);
    canvas.line({centre_.x, centre_.y - kRoseRadius}, {centre_.x, centre_.y + kRoseRadius},
                colours.black);
}

// Ring label i sits on the centre line, centred on the ring's right edge; the
// centring counts one character more than the text, except for the last.
void WindRunImage::drawRingLabels(Canvas& canvas, int labelStep) const
{
    for (int i = 1; i <= kRings; ++i) {
        const std::string label = formatted(text::kRingLabelFormat, labelStep * i);
        const int counted = static_cast<int>(label.size()) + (i < kRings ? 1 : 0);
        canvas.text(
            Font::Small,
            {centre_.x + kRingStep * i - counted * fontSize(Font::Small).width / 2, centre_.y},
            label, palette().black);
    }
}

void WindRunImage::drawValue(Canvas& canvas)
{
    const int black = palette().black;
    double largest = 0;
    for (int k = 0; k < kCompassPoints; ++k)
        largest = std::max(largest, percentOf(run_, k));
    const bool wide = largest > kWidePercent;
    const double hundredPercent = wide ? kRoseRadius : 2.0 * kRoseRadius;
    drawRingLabels(canvas, wide ? 20 : 10);

    for (int k = 0; k < kCompassPoints; ++k) {
        const double percent = percentOf(run_, k);
        if (percent <= 0)
            continue;
        const int length = static_cast<int>(percent * 0.01 * hundredPercent);
        const double bearing = kPointBearing * k;
        const Point tip = pointOnBearing(centre_, length, bearing);
        canvas.line(tip, centre_, black);
        const Point head[] = {tip,
                              pointOnBearing(centre_, length - kHeadBack, bearing + kHeadSpread),
                              pointOnBearing(centre_, length - kHeadBack, bearing - kHeadSpread)};
        canvas.filledPolygon(head, black);
    }
    drawTexts(canvas);
}

void WindRunImage::drawTexts(Canvas& canvas) const
{
    const int black = palette().black;
    const auto put = [&canvas, black](Point at, const std::string& line) {
        canvas.text(Font::MediumBold, at, line, black);
    };
    put(kTimePeriodAt, std::string(text::kRunTimePeriod));
    put(kFromAt, std::string(text::kRunFrom) + dateAndTime(period_.start, regional_));
    put(kToAt, std::string(text::kRunTo) + dateAndTime(period_.end, regional_));
    put(kTotalAt, std::string(text::kRunTotal));
    put(kAverageAt, std::string(text::kRunAverage));

    const double miles = run_.total / kMinutesPerHour;
    double distance = miles;
    if (unit_ == units::WindUnit::Knot)
        distance = miles * kNauticalMilesPerMile;
    else if (unit_ != units::WindUnit::Mph)
        distance = miles * kKilometresPerMile;
    const auto unitIndex = static_cast<std::size_t>(unit_);
    put(kDistanceAt, formatted(text::kRunDistanceFormats[unitIndex], distance));
    const double mph = run_.total / period_.minutes;
    put(kSpeedAt, formatted(text::kRunSpeedFormats[unitIndex],
                            static_cast<double>(units::toWindSpeed(mph, unit_))));
}

} // namespace bv::images
