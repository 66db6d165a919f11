#pragma once

#include <string_view>

#include "images/canvas.h"

namespace bv::images {

// The ticks and labels round a dial or compass: ticks from the outer to the
// inner radius, labels anchored at the label radius and raised by half the
// font height.
struct RadialScale {
    Point centre;
    int outer = 0;
    int inner = 0;
    int label = 0;
    Font font = Font::Large;
};

// One tick at degrees from the left over the top (0 left, 90 up, 180 right), or
// mirrored below the centre, with its label (none when empty). A label left of
// the centre ends at its anchor, one right of it starts there; the tick
// straight up or down is drawn at x = centre and its label centred on it.
void drawRadialMark(Canvas& canvas, const RadialScale& scale, double degrees, bool below,
                    std::string_view label, int color);

// The compass rose: the circle of the outer radius, a tick every 22.5 degrees,
// "W", "NW", "N", "NE", "E" on the upper half and "SE", "S", "SW" on the lower.
void drawCompassScale(Canvas& canvas, const RadialScale& scale, int color);

} // namespace bv::images
