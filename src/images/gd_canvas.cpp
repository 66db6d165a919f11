#include "images/gd_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include <gd.h>
#include <gdfontg.h>
#include <gdfontl.h>
#include <gdfontmb.h>
#include <gdfonts.h>

namespace bv::images {
namespace {

constexpr int kTableScale = 1024;
constexpr int kFullTurn = 360;

// gd's integer sine and cosine: 1024 times the value, truncated, a degree a step.
struct TrigTable {
    int cosine[kFullTurn];
    int sine[kFullTurn];
    TrigTable()
    {
        for (int i = 0; i < kFullTurn; ++i) {
            const double radians = i * std::numbers::pi / 180.0;
            cosine[i] = static_cast<int>(std::cos(radians) * kTableScale);
            sine[i] = static_cast<int>(std::sin(radians) * kTableScale);
        }
    }
};

const TrigTable& trigTable()
{
    static const TrigTable table;
    return table;
}

// How many degrees apart the points of an arc of this diameter are taken: one
// degree for large arcs, more for small ones whose points would otherwise
// repeat, always a divisor of 90 so that the four extreme points are hit.
int arcStep(int diameter)
{
    constexpr int kSteps[] = {45, 30, 18, 15, 10, 9, 6, 5, 3, 2};
    const double perimeter = std::numbers::pi * diameter;
    for (const int step : kSteps)
        if (step * perimeter <= kFullTurn)
            return step;
    return 1;
}

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

// The points of gd's own arc (the ellipse a degree at a time with its integer
// tables), joined by lines; small arcs skip the degrees that would repeat a
// point, which is where gd's arc spends its time on the dots of the wind
// direction graph.
void GdCanvas::arc(Point centre, int width, int height, int startDegrees, int endDegrees, int color)
{
    while (endDegrees < startDegrees)
        endDegrees += kFullTurn;
    const TrigTable& table = trigTable();
    const auto pointAt = [&](int degrees) {
        const int i = ((degrees % kFullTurn) + kFullTurn) % kFullTurn;
        return Point{static_cast<int>(long{table.cosine[i]} * width / (2 * kTableScale)) + centre.x,
                     static_cast<int>(long{table.sine[i]} * height / (2 * kTableScale)) + centre.y};
    };
    const int step = arcStep(std::max(width, height));
    Point previous = pointAt(startDegrees);
    for (int degrees = startDegrees; degrees < endDegrees;) {
        degrees = std::min(degrees + step, endDegrees);
        const Point next = pointAt(degrees);
        if (next != previous)
            gdImageLine(image_, previous.x, previous.y, next.x, next.y, color);
        previous = next;
    }
}

void GdCanvas::filledPolygon(std::span<const Point> corners, int color)
{
    std::vector<gdPoint> points;
    points.reserve(corners.size());
    for (const Point& corner : corners)
        points.push_back({corner.x, corner.y});
    gdImageFilledPolygon(image_, points.data(), static_cast<int>(points.size()), color);
}

// Rows of palette indices set at once: the same pixels as gd's filled
// rectangle, which sets them one call at a time.
void GdCanvas::filledRectangle(Point corner, Point oppositeCorner, int color)
{
    const int left = std::max(std::min(corner.x, oppositeCorner.x), 0);
    const int right = std::min(std::max(corner.x, oppositeCorner.x), gdImageSX(image_) - 1);
    const int top = std::max(std::min(corner.y, oppositeCorner.y), 0);
    const int bottom = std::min(std::max(corner.y, oppositeCorner.y), gdImageSY(image_) - 1);
    for (int y = top; y <= bottom && left <= right; ++y)
        std::memset(image_->pixels[y] + left, color, static_cast<std::size_t>(right - left + 1));
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

// Encoded in memory and written with one call: gd's file output goes through a
// character at a time.
bool GdCanvas::writeGif(const std::filesystem::path& path) const
{
    gdImageInterlace(image_, 0);
    int size = 0;
    void* bytes = gdImageGifPtr(image_, &size);
    if (bytes == nullptr)
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file != nullptr && std::fwrite(bytes, 1, static_cast<std::size_t>(size), file) ==
                                          static_cast<std::size_t>(size);
    if (file != nullptr)
        written = std::fclose(file) == 0 && written;
    gdFree(bytes);
    return written;
}

} // namespace bv::images
