#pragma once

#include "images/gauge_image.h"
#include "units/units_selection.h"

namespace bv::images {

// The scale rules of the line graphs, from the series' minimum and maximum
// (the maximum already lifted to minimum + 1 for a flat series). Each gives 0
// to 1 when the data lie within 0..1.

// Maximum up and minimum down to multiples of 5.
Scale fivesScale(float minimum, float maximum);
// Below 0 or from 1 on: whole numbers one beyond the data; else 0 to the next
// multiple of 5.
Scale rainGraphScale(float minimum, float maximum);
// Inches: whole inches, at least 2 apart; millimetres: 50 (or more) in steps of
// 5 centred on the data; millibars and hectopascals the same with 60.
Scale barometerGraphScale(float minimum, float maximum, units::BarometerUnit unit);

} // namespace bv::images
