#pragma once

#include <string>

#include "images/gauge_image.h"

namespace bv::images {

// How a bar gauge shows its quantity.
struct BarStyle {
    Scale scale;
    Rgb barColour;
    bool decimalScale = false; // scale labels "%.1f", else whole numbers
    bool decimalValue = false; // "Current: %.2f", else rounded to a whole number
    bool marksShown = false;   // the day's high and low marks
};

// The thermometer-style gauge, 128 x 200: a tube of eleven ticks labelled on
// both sides, the bar up to the value, the day's high (red) and low (blue)
// marks, and the current value below.
class BarGauge final : public GaugeImage {
  public:
    static constexpr int kWidth = 128;
    static constexpr int kHeight = 200;

    // high and low: -100 or -101 when not known.
    BarGauge(std::string title, Background background, double value, double high, double low,
             const BarStyle& style);

  protected:
    void allocateColours(Canvas& canvas) override;
    void drawFace(Canvas& canvas) override;
    void drawValue(Canvas& canvas) override;

  private:
    int heightOf(double value) const;
    void drawMark(Canvas& canvas, double value, int color, std::string_view text,
                  bool textBelow) const;

    double value_;
    double high_;
    double low_;
    BarStyle style_;
    int blue_ = 0;
    int bar_ = 0;
    int left_;
    int top_;
    int bottom_;
    int right_;
};

} // namespace bv::images
