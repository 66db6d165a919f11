#include "images/gauge_image.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace bv::images {
namespace {

constexpr int kTitleBarBottom = 15;
constexpr int kFrameInset = 2;

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

GaugeImage::GaugeImage(int width, int height, std::string title, Background background, Rgb accent)
    : width_(width), height_(height), title_(std::move(title)), background_(background),
      accent_(accent)
{
}

void GaugeImage::draw(Canvas& canvas)
{
    allocateColours(canvas);
    drawFace(canvas);
    drawValue(canvas);
}

void GaugeImage::allocateColours(Canvas& canvas)
{
    palette_.black = canvas.allocateColor(kBlack);
    palette_.white = canvas.allocateColor(kWhite);
    palette_.accent = canvas.allocateColor(accent_);
    palette_.lightGreen = canvas.allocateColor(kLightGreen);
    palette_.background = canvas.allocateColor(background_.rgb);
    if (background_.transparent)
        canvas.setTransparent(palette_.background);
}

void GaugeImage::drawFrame(Canvas& canvas, Font titleFont) const
{
    canvas.filledRectangle({0, 0}, {width_, height_}, palette_.black);
    canvas.filledRectangle({kFrameInset, kFrameInset},
                           {width_ - kFrameInset, height_ - kFrameInset}, palette_.background);
    canvas.filledRectangle({0, 0}, {width_ - 1, kTitleBarBottom}, palette_.black);
    canvas.text(titleFont,
                {width_ / 2 - textWidth(titleFont, title_) / 2,
                 kTitleBarBottom - fontSize(titleFont).height},
                title_, palette_.white);
}

void drawAnchoredText(Canvas& canvas, Font font, Point anchor, Align align, std::string_view text,
                      int color)
{
    const int width = textWidth(font, text);
    int x = anchor.x;
    if (align == Align::Right)
        x -= width;
    else if (align == Align::Centre)
        x -= width / 2;
    canvas.text(font, {x, anchor.y - fontSize(font).height / 2}, text, color);
}

Point pointFromLeft(Point centre, double radius, double degrees)
{
    const double a = radians(degrees);
    return {static_cast<int>(centre.x - radius * std::cos(a)),
            static_cast<int>(centre.y - radius * std::sin(a))};
}

Point pointOnBearing(Point centre, double radius, double bearing)
{
    const double b = radians(bearing);
    return {static_cast<int>(centre.x + radius * std::sin(b)),
            static_cast<int>(centre.y - radius * std::cos(b))};
}

std::string formatted(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string formatted(const char* format, int value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace bv::images
