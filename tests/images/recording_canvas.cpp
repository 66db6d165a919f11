#include "recording_canvas.h"

#include <algorithm>

namespace bv::images::test {

int RecordingCanvas::allocateColor(Rgb rgb)
{
    palette_.push_back(rgb);
    return static_cast<int>(palette_.size()) - 1;
}

void RecordingCanvas::line(Point from, Point to, int color)
{
    drawn_.push_back({Op::Line, {from, to}, color, {}});
}

void RecordingCanvas::arc(Point centre, int, int, int, int, int color)
{
    drawn_.push_back({Op::Arc, {centre}, color, {}});
}

void RecordingCanvas::filledPolygon(std::span<const Point> corners, int color)
{
    drawn_.push_back({Op::Polygon, {corners.begin(), corners.end()}, color, {}});
}

void RecordingCanvas::filledRectangle(Point corner, Point oppositeCorner, int color)
{
    drawn_.push_back({Op::Rectangle, {corner, oppositeCorner}, color, {}});
}

void RecordingCanvas::fill(Point at, int color)
{
    drawn_.push_back({Op::Fill, {at}, color, {}});
}

void RecordingCanvas::text(Font, Point topLeft, std::string_view text, int color)
{
    drawn_.push_back({Op::Text, {topLeft}, color, std::string(text)});
}

std::vector<std::string> RecordingCanvas::texts() const
{
    std::vector<std::string> all;
    for (const Drawn& d : drawn_)
        if (d.op == Op::Text)
            all.push_back(d.text);
    return all;
}

int RecordingCanvas::colorOf(Rgb rgb) const
{
    const auto found = std::find(palette_.begin(), palette_.end(), rgb);
    return found == palette_.end() ? -1 : static_cast<int>(found - palette_.begin());
}

bool RecordingCanvas::has(Op op, std::vector<Point> points, int color) const
{
    return std::any_of(drawn_.begin(), drawn_.end(), [&](const Drawn& d) {
        return d.op == op && d.points == points && d.color == color;
    });
}

} // namespace bv::images::test
