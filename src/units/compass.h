#pragma once

#include <string_view>

namespace bv::units {

// Name of a missing or unusable direction.
inline constexpr std::string_view kNoCompassPoint = "----";

// Index 0..15 of the sixteen-point sector that starts at the named direction:
// 0 to <22.5 degrees is 0 ("N"), 22.5 to <45 is 1 ("NNE"), and so on.
// 360 and more wrap round; a negative or non-finite direction (the missing marker
// -100 included) gives -1.
int compassIndex(double degrees);

// "N", "NNE", ... "NNW", or kNoCompassPoint when compassIndex gives -1.
std::string_view compassPoint(double degrees);

} // namespace bv::units
