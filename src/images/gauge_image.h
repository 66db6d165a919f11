#pragma once

#include <string>
#include <string_view>

#include "images/canvas.h"
#include "images/image_colours.h"

namespace bv::images {

// The scale of a gauge or graph: minimum, maximum and span (maximum - minimum).
struct Scale {
    float minimum = 0;
    float maximum = 0;
    float span() const { return maximum - minimum; }

    friend bool operator==(const Scale&, const Scale&) = default;
};

// Palette indices of the colours every image allocates.
struct Palette {
    int black = 0;
    int white = 0;
    int accent = 0; // needle, arrow or high mark
    int lightGreen = 0;
    int background = 0;
};

// The base of every generated image: a frame with a title bar, then a face and
// a value drawn by the kind of image.
class GaugeImage {
  public:
    GaugeImage(int width, int height, std::string title, Background background, Rgb accent);
    virtual ~GaugeImage() = default;
    GaugeImage(const GaugeImage&) = delete;
    GaugeImage& operator=(const GaugeImage&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    const std::string& title() const { return title_; }

    // Draws the whole image on a canvas of width() x height().
    void draw(Canvas& canvas);

  protected:
    // Black, white, the accent colour, light green, then the background, which
    // is always an entry of its own so that a transparent background never
    // makes white text transparent.
    virtual void allocateColours(Canvas& canvas);
    virtual void drawFace(Canvas& canvas) = 0;
    virtual void drawValue(Canvas& canvas) = 0;

    // The whole image black, the background inside (2,2)-(W-2,H-2), the black
    // title bar over rows 0 to 15 and the title centred on it in white.
    void drawFrame(Canvas& canvas, Font titleFont) const;

    const Palette& palette() const { return palette_; }
    // For images that allocate their colours in an order of their own.
    void setPalette(const Palette& palette) { palette_ = palette; }
    const Background& background() const { return background_; }

  private:
    int width_;
    int height_;
    std::string title_;
    Background background_;
    Rgb accent_;
    Palette palette_;
};

// Where a label sits against its anchor point.
enum class Align { Right, Centre, Left }; // ends at, centred on, starts at the anchor

// Draws text with its vertical middle on anchor.y, aligned on anchor.x.
void drawAnchoredText(Canvas& canvas, Font font, Point anchor, Align align, std::string_view text,
                      int color);

// A point at radius from centre, at angle degrees measured from the left of the
// centre over the top (0 left, 90 up, 180 right): (cx - r cos a, cy - r sin a),
// truncated. A negative radius mirrors it below the centre.
Point pointFromLeft(Point centre, double radius, double degrees);

// A point at radius from centre in a compass bearing (0 north = up, 90 east =
// right): (cx + r sin b, cy - r cos b), truncated.
Point pointOnBearing(Point centre, double radius, double bearing);

// printf into a string.
std::string formatted(const char* format, double value);
std::string formatted(const char* format, int value);

} // namespace bv::images
