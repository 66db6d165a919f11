#include "images/graph_scales.h"

#include <cmath>

namespace bv::images {
namespace {

constexpr float kFive = 5.0f;

bool withinUnit(float minimum, float maximum)
{
    return maximum <= 1.0f && minimum >= 0.0f;
}

float upToFive(float value)
{
    return std::ceil(value / kFive) * kFive;
}
float downToFive(float value)
{
    return std::floor(value / kFive) * kFive;
}

// Steps of 5 from the data's fives, widened evenly to `steps` steps when they
// span fewer.
Scale centredFives(int low, int high, int steps)
{
    const int lowFives = low / 5;
    const int highFives = high / 5 + 1;
    if (highFives - lowFives < steps) {
        const int minimum = (lowFives - (steps - (highFives - lowFives)) / 2) * 5;
        return {static_cast<float>(minimum), static_cast<float>(minimum + steps * 5)};
    }
    return {static_cast<float>(lowFives * 5), static_cast<float>(highFives * 5)};
}

} // namespace

Scale fivesScale(float minimum, float maximum)
{
    if (withinUnit(minimum, maximum))
        return {0.0f, 1.0f};
    return {downToFive(minimum), upToFive(maximum)};
}

Scale rainGraphScale(float minimum, float maximum)
{
    if (withinUnit(minimum, maximum))
        return {0.0f, 1.0f};
    if (minimum < 0.0f || minimum >= 1.0f)
        return {std::trunc(minimum - 1.0f), std::trunc(maximum + 1.0f)};
    return {0.0f, upToFive(maximum)};
}

Scale barometerGraphScale(float minimum, float maximum, units::BarometerUnit unit)
{
    if (withinUnit(minimum, maximum))
        return {0.0f, 1.0f};
    const int low = static_cast<int>(minimum);
    const int high = static_cast<int>(maximum);
    switch (unit) {
    case units::BarometerUnit::Inch:
        return {static_cast<float>(low), static_cast<float>(high - low < 2 ? high + 1 : high)};
    case units::BarometerUnit::Millimetre:
        return centredFives(low, high, 10);
    default:
        return centredFives(low, high, 12);
    }
}

} // namespace bv::images
