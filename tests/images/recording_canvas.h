#pragma once

#include <string>
#include <vector>

#include "images/canvas.h"

namespace bv::images::test {

// A Canvas that keeps what was drawn instead of pixels.
class RecordingCanvas final : public Canvas {
  public:
    enum class Op { Line, Arc, Polygon, Rectangle, Fill, Text };
    struct Drawn {
        Op op;
        std::vector<Point> points; // line ends, arc centre, corners, fill point, text corner
        int color = 0;
        std::string text;
    };

    RecordingCanvas(int width, int height) : width_(width), height_(height) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    int allocateColor(Rgb rgb) override;
    void setTransparent(int color) override { transparent_ = color; }
    void line(Point from, Point to, int color) override;
    void arc(Point centre, int width, int height, int startDegrees, int endDegrees,
             int color) override;
    void filledPolygon(std::span<const Point> corners, int color) override;
    void filledRectangle(Point corner, Point oppositeCorner, int color) override;
    void fill(Point at, int color) override;
    void text(Font font, Point topLeft, std::string_view text, int color) override;

    const std::vector<Drawn>& drawn() const { return drawn_; }
    const std::vector<Rgb>& palette() const { return palette_; }
    int transparent() const { return transparent_; }
    // The texts in drawing order.
    std::vector<std::string> texts() const;
    // The first palette index of colour rgb, or -1.
    int colorOf(Rgb rgb) const;
    bool has(Op op, std::vector<Point> points, int color) const;

  private:
    int width_;
    int height_;
    int transparent_ = -1;
    std::vector<Rgb> palette_;
    std::vector<Drawn> drawn_;
};

} // namespace bv::images::test
