#include "images/gd_canvas.h"

#include <cstdio>
#include <string>
#include <vector>

#include <gd.h>
#include <gdfontg.h>
#include <gdfontl.h>
#include <gdfontmb.h>
#include <gdfonts.h>

namespace bv::images {
namespace {

gdFontPtr gdFont(Font font)
{
    switch (font) {
    case Font::Giant:
        return gdFontGetGiant();
    case Font::Large:
        return gdFontGetLarge();
    case Font::Small:
        return gdFontGetSmall();
    case Font::MediumBold:
        return gdFontGetMediumBold();
    }
    return gdFontGetSmall();
}

} // namespace

std::unique_ptr<GdCanvas> GdCanvas::create(int width, int height)
{
    gdImagePtr image = gdImageCreate(width, height);
    if (image == nullptr)
        return nullptr;
    return std::unique_ptr<GdCanvas>(new GdCanvas(image));
}

GdCanvas::~GdCanvas()
{
    gdImageDestroy(image_);
}

int GdCanvas::width() const
{
    return gdImageSX(image_);
}
int GdCanvas::height() const
{
    return gdImageSY(image_);
}

int GdCanvas::allocateColor(Rgb rgb)
{
    return gdImageColorAllocate(image_, rgb.red, rgb.green, rgb.blue);
}

void GdCanvas::setTransparent(int color)
{
    gdImageColorTransparent(image_, color);
}

void GdCanvas::line(Point from, Point to, int color)
{
    gdImageLine(image_, from.x, from.y, to.x, to.y, color);
}

void GdCanvas::arc(Point centre, int width, int height, int startDegrees, int endDegrees, int color)
{
    gdImageArc(image_, centre.x, centre.y, width, height, startDegrees, endDegrees, color);
}

void GdCanvas::filledPolygon(std::span<const Point> corners, int color)
{
    std::vector<gdPoint> points;
    points.reserve(corners.size());
    for (const Point& corner : corners)
        points.push_back({corner.x, corner.y});
    gdImageFilledPolygon(image_, points.data(), static_cast<int>(points.size()), color);
}

void GdCanvas::filledRectangle(Point corner, Point oppositeCorner, int color)
{
    gdImageFilledRectangle(image_, corner.x, corner.y, oppositeCorner.x, oppositeCorner.y, color);
}

void GdCanvas::fill(Point at, int color)
{
    gdImageFill(image_, at.x, at.y, color);
}

void GdCanvas::text(Font font, Point topLeft, std::string_view text, int color)
{
    std::string bytes(text);
    gdImageString(image_, gdFont(font), topLeft.x, topLeft.y,
                  reinterpret_cast<unsigned char*>(bytes.data()), color);
}

bool GdCanvas::writeGif(const std::filesystem::path& path) const
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    gdImageInterlace(image_, 0);
    gdImageGif(image_, file);
    const bool written = std::ferror(file) == 0;
    return std::fclose(file) == 0 && written;
}

} // namespace bv::images
