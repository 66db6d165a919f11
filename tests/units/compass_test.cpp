#include "units/compass.h"

#include <cmath>
#include <gtest/gtest.h>

namespace bv::units {
namespace {

TEST(Compass, SectorsStartAtTheNamedDirection)
{
    const struct {
        double degrees;
        std::string_view name;
    } cases[] = {
        {0, "N"},       {22, "N"},    {22.4, "N"},     {22.5, "NNE"}, {44.9, "NNE"},  {45, "NE"},
        {67.5, "ENE"},  {90, "E"},    {112.5, "ESE"},  {135, "SE"},   {157.5, "SSE"}, {180, "S"},
        {202.5, "SSW"}, {225, "SW"},  {247.5, "WSW"},  {270, "W"},    {292.5, "WNW"}, {315, "NW"},
        {337.5, "NNW"}, {359, "NNW"}, {359.99, "NNW"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(compassPoint(c.degrees), c.name) << c.degrees << " degrees";
    }
}

TEST(Compass, MissingAndOutOfRangeDirections)
{
    const struct {
        double degrees;
        std::string_view name;
        int index;
    } cases[] = {
        {-100, "----", -1}, {-0.5, "----", -1}, {NAN, "----", -1}, {INFINITY, "----", -1},
        {360, "N", 0},      {382.5, "NNE", 1},  {719, "NNW", 15},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(compassPoint(c.degrees), c.name) << c.degrees << " degrees";
        EXPECT_EQ(compassIndex(c.degrees), c.index) << c.degrees << " degrees";
    }
}

} // namespace
} // namespace bv::units
