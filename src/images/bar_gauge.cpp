#include "images/bar_gauge.h"

#include <cmath>

#include "app/base/strings_images.h"
#include "images/gauge_scales.h"
#include "station/weather_values.h"

namespace bv::images {
namespace {

constexpr int kTubeWidth = 52;
constexpr int kTubeHeight = 150;
constexpr int kTickSpacing = 15;
constexpr int kTicks = 10;
constexpr int kTickLength = 5;
constexpr int kLabelGap = 2;
constexpr int kTextGap = 2;
constexpr double kHighTextBelowAbove = 0.9; // of the tube height
constexpr double kLowTextBelowFrom = 0.1;

} // namespace

BarGauge::BarGauge(std::string title, Background background, double value, double high, double low,
                   const BarStyle& style)
    : GaugeImage(kWidth, kHeight, std::move(title), background, kRed), value_(value), high_(high),
      low_(low), style_(style), left_(kWidth / 2 - kTubeWidth / 2),
      top_(kHeight / 2 - kTubeHeight / 2), bottom_(top_ + kTubeHeight), right_(left_ + kTubeWidth)
{
}

void BarGauge::allocateColours(Canvas& canvas)
{
    GaugeImage::allocateColours(canvas);
    blue_ = canvas.allocateColor(kBlue);
    bar_ = canvas.allocateColor(style_.barColour);
}

void BarGauge::drawFace(Canvas& canvas)
{
    const int black = palette().black;
    drawFrame(canvas, Font::MediumBold);
    canvas.line({left_, top_}, {left_, bottom_}, black);
    canvas.line({left_, bottom_}, {right_, bottom_}, black);
    canvas.line({right_, bottom_}, {right_, top_}, black);
    const Scale& scale = style_.scale;
    for (int k = 0; k <= kTicks; ++k) {
        const int y = bottom_ - kTickSpacing * k;
        canvas.line({left_ - kTickLength, y}, {left_, y}, black);
        canvas.line({right_, y}, {right_ + kTickLength, y}, black);
        const double mark = scale.minimum + scale.span() * 0.1 * k;
        const std::string label =
            style_.decimalScale ? formatted("%.1f", mark) : std::to_string(static_cast<int>(mark));
        drawAnchoredText(canvas, Font::Small, {left_ - kTickLength - kLabelGap, y}, Align::Right,
                         label, black);
        drawAnchoredText(canvas, Font::Small, {right_ + kTickLength + kLabelGap, y}, Align::Left,
                         label, black);
    }
}

int BarGauge::heightOf(double value) const
{
    return static_cast<int>(bottom_ - (kTubeHeight / style_.scale.span()) *
                                          std::fabs(value - style_.scale.minimum));
}

void BarGauge::drawMark(Canvas& canvas, double value, int color, std::string_view text,
                        bool textBelow) const
{
    const int y = heightOf(value);
    canvas.line({left_, y}, {right_, y}, color);
    const FontSize font = fontSize(Font::Small);
    const int textTop = textBelow ? y + kTextGap : y - kTextGap - font.height;
    canvas.text(Font::Small, {width() / 2 - textWidth(Font::Small, text) / 2, textTop}, text,
                palette().black);
}

void BarGauge::drawValue(Canvas& canvas)
{
    const Palette& colours = palette();
    const int barTop = heightOf(value_);
    if (barTop <= bottom_ - 1)
        canvas.filledRectangle({left_ + 1, barTop}, {left_ + kTubeWidth - 1, bottom_ - 1}, bar_);
    if (style_.marksShown) {
        if (isReading(high_)) {
            const int rise = bottom_ - heightOf(high_);
            drawMark(canvas, high_, colours.accent, app::strings::kHighMark,
                     rise > kHighTextBelowAbove * kTubeHeight);
        }
        if (isReading(low_)) {
            const int rise = bottom_ - heightOf(low_);
            drawMark(canvas, low_, blue_, app::strings::kLowMark,
                     rise >= kLowTextBelowFrom * kTubeHeight);
        }
    }
    const std::string text = std::string(app::strings::kCurrentValue) +
                             station::formatFixed(value_, style_.decimalValue ? 2 : 0);
    const FontSize font = fontSize(Font::Small);
    canvas.text(Font::Small,
                {width() / 2 - textWidth(Font::Small, text) / 2, height() - font.height - kTextGap},
                text, colours.black);
}

} // namespace bv::images
