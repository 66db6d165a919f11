#include "images/image_colours.h"

namespace bv::images {

Background imageBackground(int option)
{
    switch (option) {
    case 0:
        return {kLightGreen};
    case 1:
        return {kWhite, true};
    case 2:
        return {{255, 255, 128}};
    case 4:
        return {{128, 128, 255}};
    case 5:
        return {{128, 128, 128}};
    default:
        return {kWhite};
    }
}

} // namespace bv::images
