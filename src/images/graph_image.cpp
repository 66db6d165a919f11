#include "images/graph_image.h"

namespace bv::images {
namespace {

constexpr int kPlotLeft = 40;
constexpr int kPlotWidth = 250;
constexpr int kPlotBottom = 165;
constexpr int kPlotHeight = 125;
constexpr int kColumnWidth = 50;
constexpr int kRowHeight = 25;
constexpr int kCells = 5;
constexpr int kGridTop = 40;
constexpr int kGridRight = kPlotLeft + kPlotWidth;
constexpr int kVerticalBottom = 168;
constexpr int kHorizontalLeft = 37;
constexpr int kValueLabelEnd = 36;
constexpr int kDateTop = 174;
constexpr int kTimeTop = 185;
constexpr int kTitleBarBottom = 15;
constexpr double kCellFraction = 0.2;

} // namespace

GraphImage::GraphImage(std::string title, Background background, std::vector<TimedValue> points,
                       const GraphPeriod& period, Scale scale, bool twoDecimals,
                       const units::RegionalSettings& regional)
    : GaugeImage(kWidth, kHeight, std::move(title), background, kRed), points_(std::move(points)),
      period_(period), scale_(scale), twoDecimals_(twoDecimals), regional_(regional)
{
}

void GraphImage::allocateColours(Canvas& canvas)
{
    Palette colours;
    colours.black = canvas.allocateColor(kBlack);
    colours.white = canvas.allocateColor(kWhite);
    colours.accent = canvas.allocateColor(kRed);
    colours.lightGreen = canvas.allocateColor(kLightGreen);
    canvas.allocateColor(kLightGreen);
    blue_ = canvas.allocateColor(kBlue);
    colours.background = canvas.allocateColor(background().rgb);
    if (background().transparent)
        canvas.setTransparent(colours.background);
    setPalette(colours);
}

void GraphImage::drawFace(Canvas& canvas)
{
    const Palette& colours = palette();
    canvas.filledRectangle({0, 0}, {width(), height()}, colours.black);
    canvas.filledRectangle({1, 1}, {width() - 2, height() - 2}, colours.background);
    canvas.filledRectangle({0, 0}, {width(), kTitleBarBottom}, colours.black);
    canvas.text(Font::Giant, {width() / 2 - textWidth(Font::Giant, title()) / 2, 0}, title(),
                colours.white);
    for (int k = 0; k <= kCells; ++k) {
        const int x = kPlotLeft + kColumnWidth * k;
        canvas.line({x, kVerticalBottom}, {x, kGridTop}, colours.black);
        const int y = kGridTop + kRowHeight * k;
        canvas.line({kHorizontalLeft, y}, {kGridRight, y}, colours.black);
    }
    drawLabels(canvas);
}

void GraphImage::drawLabels(Canvas& canvas) const
{
    const int black = palette().black;
    for (int k = 0; k <= kCells; ++k) {
        const double value = scale_.minimum + scale_.span() * kCellFraction * k;
        drawAnchoredText(canvas, Font::Small, {kValueLabelEnd, kPlotBottom - kRowHeight * k},
                         Align::Right, formatted(twoDecimals_ ? "%.2f" : "%.1f", value), black);

        const units::DateTime at =
            k == kCells
                ? period_.end
                : addMinutes(period_.start, static_cast<int>(period_.minutes * kCellFraction * k));
        const int centre = kPlotLeft + kColumnWidth * k;
        const std::string date = at.shortDate(regional_);
        const std::string time = at.timeText(regional_);
        canvas.text(Font::Small, {centre - textWidth(Font::Small, date) / 2, kDateTop}, date,
                    black);
        canvas.text(Font::Small, {centre - textWidth(Font::Small, time) / 2, kTimeTop}, time,
                    black);
    }
}

Point GraphImage::plotPoint(const TimedValue& point) const
{
    return {static_cast<int>(static_cast<double>(point.minute) * kPlotWidth / period_.minutes +
                             kPlotLeft),
            static_cast<int>(kPlotBottom -
                             (point.value - scale_.minimum) * kPlotHeight / scale_.span())};
}

void GraphImage::drawValue(Canvas& canvas)
{
    for (std::size_t i = 1; i < points_.size(); ++i)
        canvas.line(plotPoint(points_[i - 1]), plotPoint(points_[i]), blue_);
}

} // namespace bv::images
