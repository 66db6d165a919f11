// Geometry of the gauges and the wind run graph on a recording canvas; points
// worked out by hand from the layout rules.
#include <algorithm>

#include <gtest/gtest.h>

#include "images/bar_gauge.h"
#include "images/compass_gauge.h"
#include "images/dial_gauge.h"
#include "images/wind_run_image.h"
#include "recording_canvas.h"

namespace bv::images {
namespace {

using test::RecordingCanvas;
using Op = RecordingCanvas::Op;
using Texts = std::vector<std::string>;

const Background kGreen = imageBackground(0);

bool contains(const Texts& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

RecordingCanvas drawn(GaugeImage& image)
{
    RecordingCanvas canvas(image.width(), image.height());
    image.draw(canvas);
    return canvas;
}

TEST(DialGeometry, LabelsFollowTheScaleAndTheMiddleOneIsCentred)
{
    const struct {
        double speed;
        Texts labels;
    } cases[] = {
        {20, {"0", "2", "4", "6", "8", "10", "12", "14", "16", "18", "20"}},
        {20.5, {"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}},
        {150, {"0", "20", "40", "60", "80", "100", "120", "140", "160", "180", "200"}},
    };
    for (const auto& c : cases) {
        DialGauge dial(kGreen, c.speed, -100, units::WindUnit::Mph);
        const RecordingCanvas canvas = drawn(dial);
        const Texts texts = canvas.texts();
        ASSERT_GE(texts.size(), 12u);
        EXPECT_EQ(Texts(texts.begin() + 1, texts.begin() + 12), c.labels) << c.speed;
    }
    // Centre (96,106): "10" of the 0-20 dial centred above it, its tick upright.
    DialGauge dial(kGreen, 20, 18, units::WindUnit::Knot);
    const RecordingCanvas canvas = drawn(dial);
    const int black = canvas.colorOf(kBlack);
    const auto middle = std::find_if(canvas.drawn().begin(), canvas.drawn().end(),
                                     [](const auto& d) { return d.text == "10"; });
    ASSERT_NE(middle, canvas.drawn().end());
    EXPECT_EQ(middle->points[0], (Point{88, 30}));
    EXPECT_TRUE(canvas.has(Op::Line, {{96, 46}, {96, 56}}, black));
    EXPECT_TRUE(contains(canvas.texts(), " (Knot)"));
    EXPECT_TRUE(contains(canvas.texts(), "High: 18"));
}

TEST(DialGeometry, TheSweptSectorIsFilledOnlyWhenItHoldsTheFillPoint)
{
    const struct {
        double speed;
        bool filled;
    } cases[] = {{0, false}, {0.3, false}, {1, true}, {10, true}, {20, true}};
    for (const auto& c : cases) {
        DialGauge dial(kGreen, c.speed, -100, units::WindUnit::Mph);
        const RecordingCanvas canvas = drawn(dial);
        EXPECT_EQ(canvas.has(Op::Fill, {{86, 105}}, canvas.colorOf(kBlue)), c.filled) << c.speed;
    }
}

TEST(CompassGeometry, TheNeedlePointsIntoTheWind)
{
    const struct {
        double direction;
        Point tip;
        Point fillPoint;
    } cases[] = {{0, {96, 57}, {96, 94}},
                 {90, {145, 106}, {108, 106}},
                 {180, {96, 155}, {96, 118}},
                 {270, {47, 106}, {84, 106}}};
    for (const auto& c : cases) {
        CompassGauge compass(kGreen, c.direction);
        const RecordingCanvas canvas = drawn(compass);
        const int red = canvas.colorOf(kRed);
        const auto fromTip = std::count_if(
            canvas.drawn().begin(), canvas.drawn().end(), [&](const RecordingCanvas::Drawn& d) {
                return d.op == Op::Line && d.color == red && d.points[0] == c.tip;
            });
        EXPECT_EQ(fromTip, 2) << c.direction;
        EXPECT_TRUE(canvas.has(Op::Fill, {c.fillPoint}, red)) << c.direction;
    }
}

TEST(BarGeometry, ValueTextRoundsHalfAwayFromZeroAndMarksFollowTheFlags)
{
    const struct {
        double value;
        bool decimal;
        std::string text;
    } cases[] = {{-5.0, false, "Current: -5"},
                 {-2.5, false, "Current: -3"},
                 {72.5, false, "Current: 73"},
                 {72.4, false, "Current: 72"},
                 {0.42, true, "Current: 0.42"}};
    for (const auto& c : cases) {
        BarStyle style{{-20, 80}, {255, 128, 64}, false, c.decimal, false};
        BarGauge bar("Outside Temp (F)", kGreen, c.value, -100, -100, style);
        EXPECT_EQ(drawn(bar).texts().back(), c.text);
    }
    BarStyle marked{{-20, 100}, {255, 128, 64}, false, false, true};
    BarGauge both("Outside Temp (F)", kGreen, 25, 31, -3, marked);
    const RecordingCanvas canvas = drawn(both);
    // Tube bottom 175, 1.25 pixels a degree from -20: high 31 at 111, low -3 at 153.
    EXPECT_TRUE(canvas.has(Op::Line, {{38, 111}, {90, 111}}, canvas.colorOf(kRed)));
    EXPECT_TRUE(canvas.has(Op::Line, {{38, 153}, {90, 153}}, canvas.colorOf(kBlue)));
    EXPECT_TRUE(contains(canvas.texts(), "High") && contains(canvas.texts(), "Low"));
    BarGauge noMarks("Outside Temp (F)", kGreen, 25, -101, -101, marked);
    EXPECT_FALSE(contains(drawn(noMarks).texts(), "High"));
}

TEST(WindRunGeometry, EachIntervalCountsOnceTowardsWhereTheAirWent)
{
    const TimedWind steadyNorth[] = {{0, 10, 0}, {15, 10, 0}, {30, 10, 0}};
    const std::optional<WindRun> run = accumulateWindRun(steadyNorth);
    ASSERT_TRUE(run);
    EXPECT_DOUBLE_EQ(run->towards[8], 300.0); // south
    EXPECT_DOUBLE_EQ(run->total, 300.0);
    EXPECT_FALSE(accumulateWindRun(std::span(steadyNorth).first(2)));

    GraphPeriod period{units::DateTime(12, 8, 2026), units::DateTime(12, 8, 2026), 30};
    period.end.minutesOfDay = 30;
    const units::RegionalSettings regional;
    const struct {
        units::WindUnit unit;
        std::string distance;
        std::string speed;
    } cases[] = {{units::WindUnit::Mph, "5.0 Miles", "10.0 mph"},
                 {units::WindUnit::Knot, "4.3 NMi", "8.7 Knots"},
                 {units::WindUnit::KmPerHour, "8.0 Km", "16.1 Km/hr"},
                 {units::WindUnit::MetresPerSecond, "8.0 Km", "4.5 m/s"}};
    for (const auto& c : cases) {
        WindRunImage image(kGreen, *run, period, c.unit, regional);
        const RecordingCanvas canvas = drawn(image);
        const Texts texts = canvas.texts();
        EXPECT_TRUE(contains(texts, c.distance) && contains(texts, c.speed)) << c.distance;
        // 100 per cent south: 115 pixels below the centre (150,160), rings 20% to 100%.
        EXPECT_TRUE(canvas.has(Op::Line, {{150, 275}, {150, 160}}, canvas.colorOf(kBlack)));
        EXPECT_TRUE(contains(texts, "20%") && contains(texts, "100%"));
    }

    const TimedWind calm[] = {{0, 0, 0}, {15, 0, 4}, {30, 0, 8}};
    WindRunImage still(kGreen, *accumulateWindRun(calm), period, units::WindUnit::Mph, regional);
    const RecordingCanvas canvas = drawn(still);
    EXPECT_TRUE(std::none_of(canvas.drawn().begin(), canvas.drawn().end(), [](const auto& d) {
        return d.op == Op::Polygon && d.points.size() == 3;
    }));
    EXPECT_TRUE(contains(canvas.texts(), "0.0 Miles") && contains(canvas.texts(), "0.0 mph"));
    EXPECT_TRUE(contains(canvas.texts(), "10%") && contains(canvas.texts(), "50%"));
}

} // namespace
} // namespace bv::images
