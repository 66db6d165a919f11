#pragma once

#include "images/canvas.h"

namespace bv::images {

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kLightGreen{128, 255, 128};
inline constexpr Rgb kPurple{64, 0, 128};

// The background of every image, chosen by the configuration's imageBackground.
struct Background {
    Rgb rgb;
    bool transparent = false;
};

// 0 green, 1 transparent (white, made the transparent colour), 2 yellow,
// 4 blue, 5 grey; 3 and any other value white.
Background imageBackground(int option);

} // namespace bv::images
