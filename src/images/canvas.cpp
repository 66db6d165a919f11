#include "images/canvas.h"

namespace bv::images {

FontSize fontSize(Font font)
{
    switch (font) {
    case Font::Giant:
        return {9, 15};
    case Font::Large:
        return {8, 16};
    case Font::Small:
        return {6, 13};
    case Font::MediumBold:
        return {7, 13};
    }
    return {};
}

int textWidth(Font font, std::string_view text)
{
    return static_cast<int>(text.size()) * fontSize(font).width;
}

} // namespace bv::images
