// Every kind of image and every scale rule drawn through libgd, decoded and
// compared pixel by pixel with a golden GIF (BV_UPDATE_GOLDEN=1 rewrites them).
#include <cstdlib>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "archive_file.h"
#include "golden_image.h"
#include "images/archive_graphs.h"
#include "images/current_images.h"
#include "images/image_file.h"
#include "support/temp_dir.h"

namespace bv::images {
namespace {

class MapMemory : public GaugeMemory {
  public:
    double read(station::ClassicValue value) override
    {
        const auto found = classic.find(value);
        return found == classic.end() ? -100.0 : found->second;
    }
    double read(station::TirrelValue) override { return -100.0; }
    std::map<station::ClassicValue, double> classic;
};

struct GaugeCase {
    std::string golden;
    int index;
    station::ClassicConditions conditions;
    std::map<station::ClassicValue, double> memory;
    int background;
    bool highsLows;
};

station::ClassicConditions conditions(float outsideTemp, float barometer, float windSpeed,
                                      std::int16_t windDir)
{
    station::ClassicConditions c;
    c.outsideTemp = outsideTemp;
    c.insideTemp = 70.0f;
    c.insideHum = 40;
    c.outsideHum = 60;
    c.barometer = barometer;
    c.windSpeed = windSpeed;
    c.windDir = windDir;
    c.rain = 3.5f;
    return c;
}

TEST(GoldenImages, GaugesOfEveryKindAndScale)
{
    using V = station::ClassicValue;
    const GaugeCase cases[] = {
        {"dial_mph", 5, conditions(60, 29.92f, 12, 0), {{V::HighWindSpeed, 18}}, 0, true},
        {"compass_transparent", 11, conditions(60, 29.92f, 3, 135), {}, 1, false},
        {"bar_temperature_marks",
         1,
         conditions(25, 29.92f, 3, 0),
         {{V::HighOutsideTemp, 31}, {V::LowOutsideTemp, -3}},
         2,
         true},
        {"bar_wind_chill_low", 9, conditions(20, 29.92f, 15, 0), {{V::LowWindChill, -12}}, 3, true},
        {"bar_rain", 6, conditions(60, 29.92f, 3, 0), {{V::DailyRain, 0.42}}, 4, false},
        {"bar_barometer", 4, conditions(60, 29.92f, 3, 0), {}, 5, false},
    };
    for (const GaugeCase& c : cases) {
        SCOPED_TRACE(c.golden);
        testsupport::TempDir dir;
        app::ConfigRecord config;
        config.imageBackground = static_cast<std::uint8_t>(c.background);
        config.imageHighsLows = c.highsLows;
        station::CurrentConditions current;
        current.classic = c.conditions;
        current.dataValid = true;
        MapMemory memory;
        memory.classic = c.memory;
        const ImageResult result = makeCurrentImage(c.index, {dir.path(), config, current, memory});
        ASSERT_TRUE(result.written()) << result.message;
        EXPECT_EQ(test::compareWithGolden(imagePath(dir.path(), result.fileName), c.golden), "");
    }
}

TEST(GoldenImages, GraphsOfEveryKindAndScale)
{
    const struct {
        std::string golden;
        int index;
        int background;
    } cases[] = {
        {"graph_fives", 1, 0},     {"graph_rain", 6, 2},      {"graph_barometer", 4, 3},
        {"graph_wind_rose", 9, 3}, {"graph_wind_run", 10, 1},
    };
    testsupport::TempDir dir;
    test::writeArchive(dir.path(), test::dayOfRecords());
    const units::RegionalSettings regional;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        app::ConfigRecord config;
        config.imageBackground = static_cast<std::uint8_t>(c.background);
        const ImageResult result = makeArchiveGraph(c.index, {dir.path(), config, regional});
        ASSERT_TRUE(result.written()) << result.message;
        EXPECT_EQ(test::compareWithGolden(imagePath(dir.path(), result.fileName), c.golden), "");
    }
}

TEST(GoldenImages, TheTransparentBackgroundLeavesWhiteTextWhite)
{
    const std::filesystem::path golden =
        std::filesystem::path(BV_GOLDEN_DIR) / "compass_transparent.gif";
    EXPECT_TRUE(test::isTransparentAt(golden, 10, 100));
    EXPECT_GT(test::opaqueWhitePixels(golden, 0, 15), 0);
}

// Every image the program writes opens in ImageMagick.
TEST(GoldenImages, ImageMagickOpensEveryImage)
{
    testsupport::TempDir dir;
    test::writeArchive(dir.path(), test::dayOfRecords());
    app::ConfigRecord config;
    config.imageHighsLows = true;
    station::CurrentConditions current;
    current.classic = conditions(75, 29.92f, 12, 200);
    current.dataValid = true;
    MapMemory memory;
    memory.classic = {{station::ClassicValue::DailyRain, 0.2}};
    const units::RegionalSettings regional;
    std::vector<std::string> written;
    for (int i = 0; i < kCurrentImageCount; ++i)
        written.push_back(makeCurrentImage(i, {dir.path(), config, current, memory}).fileName);
    for (int i = 0; i < kArchiveGraphCount; ++i)
        written.push_back(makeArchiveGraph(i, {dir.path(), config, regional}).fileName);
    for (const std::string& name : written) {
        ASSERT_FALSE(name.empty());
        const std::string command =
            "identify -quiet '" + imagePath(dir.path(), name).string() + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << name;
    }
}

} // namespace
} // namespace bv::images
