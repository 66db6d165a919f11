#pragma once

#include <span>
#include <string_view>

namespace bv::images {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Point {
    int x = 0;
    int y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

// The four fixed-width fonts built into gd.
enum class Font { Giant, Large, Small, MediumBold };

struct FontSize {
    int width = 0;
    int height = 0;
};

// Giant 9 x 15, Large 8 x 16, Small 6 x 13, MediumBold 7 x 13.
FontSize fontSize(Font font);

// Width in pixels of text in font.
int textWidth(Font font, std::string_view text);

// What the gauges and graphs draw on: a palette image with gd's primitives.
// Colours are palette indices handed out by allocateColor in order from 0.
// Angles of arcs are gd's: degrees, 0 at three o'clock, growing clockwise.
class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;
    // A new palette entry (two entries of the same colour stay two entries).
    virtual int allocateColor(Rgb rgb) = 0;
    virtual void setTransparent(int color) = 0;
    virtual void line(Point from, Point to, int color) = 0;
    // The part of the ellipse of the given width and height about centre from
    // startDegrees to endDegrees.
    virtual void arc(Point centre, int width, int height, int startDegrees, int endDegrees,
                     int color) = 0;
    virtual void filledPolygon(std::span<const Point> corners, int color) = 0;
    virtual void filledRectangle(Point corner, Point oppositeCorner, int color) = 0;
    // Flood fill of the region of one colour that holds at.
    virtual void fill(Point at, int color) = 0;
    // text with its top-left corner at topLeft.
    virtual void text(Font font, Point topLeft, std::string_view text, int color) = 0;
};

} // namespace bv::images
