#pragma once

#include <filesystem>
#include <memory>

#include "images/canvas.h"

struct gdImageStruct;

namespace bv::images {

// A Canvas on a gd palette image, written out as a GIF.
class GdCanvas final : public Canvas {
  public:
    // Nothing when gd cannot allocate the image.
    static std::unique_ptr<GdCanvas> create(int width, int height);
    ~GdCanvas() override;
    GdCanvas(const GdCanvas&) = delete;
    GdCanvas& operator=(const GdCanvas&) = delete;

    int width() const override;
    int height() const override;
    int allocateColor(Rgb rgb) override;
    void setTransparent(int color) override;
    void line(Point from, Point to, int color) override;
    void arc(Point centre, int width, int height, int startDegrees, int endDegrees,
             int color) override;
    void filledPolygon(std::span<const Point> corners, int color) override;
    void filledRectangle(Point corner, Point oppositeCorner, int color) override;
    void fill(Point at, int color) override;
    void text(Font font, Point topLeft, std::string_view text, int color) override;

    // Creates or replaces the file and writes the image as a GIF, not
    // interlaced. False when the file cannot be written in full.
    bool writeGif(const std::filesystem::path& path) const;

  private:
    explicit GdCanvas(gdImageStruct* image) : image_(image) {}

    gdImageStruct* image_;
};

} // namespace bv::images
