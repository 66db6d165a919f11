// makeCurrentImage and makeArchiveGraph: what they write, what they refuse
// and the texts they hand back for the event log.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/base/strings_weather.h"
#include "archive_file.h"
#include "images/archive_graphs.h"
#include "images/current_images.h"
#include "images/image_file.h"
#include "support/temp_dir.h"

namespace bv::images {
namespace {

constexpr int kOstrel = 0;
constexpr int kTirrelE = 5;

// Answers every memory value with one number and counts the reads.
class FixedMemory : public GaugeMemory {
  public:
    explicit FixedMemory(double value) : value_(value) {}
    double read(station::ClassicValue) override { return ++reads, value_; }
    double read(station::TirrelValue) override { return ++reads, value_; }
    int reads = 0;

  private:
    double value_;
};

station::CurrentConditions pleasantDay()
{
    station::CurrentConditions c;
    c.dataValid = true;
    c.classic = {75.0f, 70.0f, 40, 60, 29.92f, 8.0f, 200, 3.5f};
    c.tirrel.airTemp = 75.0f;
    c.tirrel.soilTemp = 60.0f;
    c.tirrel.outsideHum = 60;
    c.tirrel.barometer = 29.92f;
    c.tirrel.windSpeed = 8.0f;
    c.tirrel.windDir = 200;
    c.tirrel.rain = 3.5f;
    return c;
}

TEST(CurrentImages, MissingValuesWriteNothingAndNameTheImage)
{
    using Conditions = station::CurrentConditions;
    namespace text = app::strings;
    const struct {
        int model;
        int index;
        void (*spoil)(Conditions&);
        double memory;
        std::string_view message;
    } cases[] = {
        {kOstrel, 1, [](Conditions& c) { c.classic.outsideTemp = -100; }, 0,
         text::kOutsideTempImageError},
        {kOstrel, 3, [](Conditions& c) { c.classic.outsideHum = 128; }, 0,
         text::kHumidityImageError},
        // No dew point for 0 % humidity: not drawn as -100 °F turned into -73.3 °C.
        {kOstrel, 8, [](Conditions& c) { c.classic.outsideHum = 0; }, 0, text::kDewPointImageError},
        {kOstrel, 9, [](Conditions& c) { c.classic.windSpeed = -100; }, 0,
         text::kWindChillImageError},
        {kOstrel, 10, [](Conditions& c) { c.classic.outsideTemp = 15; }, 0, text::kThiImageError},
        {kOstrel, 6, [](Conditions&) {}, -101, text::kRainImageError},
        {kOstrel, 5, [](Conditions& c) { c.classic.windSpeed = -100; }, 0,
         text::kWindSpeedImageError},
        {kOstrel, 11, [](Conditions& c) { c.classic.windDir = -100; }, 0,
         text::kWindDirectionImageError},
        {kOstrel, 4, [](Conditions& c) { c.dataValid = false; }, 0, text::kBarometerImageError},
        {kTirrelE, 0, [](Conditions& c) { c.tirrel.soilTemp = -100; }, 0,
         text::kSoilTempImageError},
        {kTirrelE, 2, [](Conditions&) {}, -100, text::kRainImageError},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        testsupport::TempDir dir;
        app::ConfigRecord config;
        config.stationModel = static_cast<std::int8_t>(c.model);
        config.tempUnit = 1; // Celsius
        station::CurrentConditions conditions = pleasantDay();
        c.spoil(conditions);
        FixedMemory memory(c.memory);
        const ImageResult result =
            makeCurrentImage(c.index, {dir.path(), config, conditions, memory});
        EXPECT_FALSE(result.written());
        EXPECT_EQ(result.message, c.message);
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "Images"));
    }
}

TEST(CurrentImages, FileNamesKeepTheirCapitalsAndHighsAreReadOnlyWhenWanted)
{
    testsupport::TempDir dir;
    app::ConfigRecord config;
    const station::CurrentConditions conditions = pleasantDay();
    FixedMemory memory(0.5);
    EXPECT_EQ(makeCurrentImage(8, {dir.path(), config, conditions, memory}).fileName, "dewPt.gif");
    EXPECT_EQ(makeCurrentImage(1, {dir.path(), config, conditions, memory}).fileName,
              "outtemp.gif");
    EXPECT_EQ(memory.reads, 0);
    config.imageHighsLows = true;
    EXPECT_TRUE(makeCurrentImage(1, {dir.path(), config, conditions, memory}).written());
    EXPECT_EQ(memory.reads, 2);

    config.stationModel = kTirrelE;
    EXPECT_EQ(makeCurrentImage(0, {dir.path(), config, conditions, memory}).fileName, "soil.gif");
    EXPECT_EQ(makeCurrentImage(2, {dir.path(), config, conditions, memory}).fileName, "et.gif");
    for (const char* name : {"dewPt.gif", "outtemp.gif", "soil.gif", "et.gif"})
        EXPECT_TRUE(std::filesystem::exists(dir.path() / "Images" / name)) << name;
}

TEST(CurrentImages, AnImageThatCannotBeWrittenIsReportedAsFailed)
{
    testsupport::TempDir dir;
    std::ofstream(dir.path() / "Images") << "not a folder";
    app::ConfigRecord config;
    FixedMemory memory(0);
    const ImageResult result = makeCurrentImage(1, {dir.path(), config, pleasantDay(), memory});
    EXPECT_FALSE(result.written());
    EXPECT_EQ(result.message,
              "Error writing image file " + (dir.path() / "Images/outtemp.gif").string());
}

TEST(ArchiveGraphs, TooFewUsableRecordsOverTooShortAPeriodAreNotEnoughData)
{
    using test::ClassicRecord;
    const auto line = [](std::string date, std::string time, std::string temp) {
        ClassicRecord r;
        r.date = std::move(date);
        r.time = std::move(time);
        r.outsideTemp = std::move(temp);
        return test::archiveLine(r);
    };
    const std::string good = line("12-08-26", " 6:00a", "60.0");
    const struct {
        std::string name;
        std::vector<std::string> lines;
    } cases[] = {
        {"no records", {}},
        {"one record", {good}},
        {"same time stamp", {good, line("12-08-26", " 6:00a", "61.0")}},
        {"missing value", {good, line("12-08-26", " 7:00a", "----")}},
        {"value that is no number", {good, line("12-08-26", " 7:00a", "6x.1")}},
        {"value that is not finite", {good, line("12-08-26", " 7:00a", "nan")}},
        {"month 13", {good, line("13-08-26", " 7:00a", "61.0")}},
        {"time that is no time", {good, line("12-08-26", "7:0q", "61.0")}},
        {"header word in the line", {good, line("12-08-26", " 7:00a", "61.0") + "\tTemp"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        test::writeArchive(dir.path(), c.lines);
        app::ConfigRecord config;
        const units::RegionalSettings regional;
        const ImageResult result = makeArchiveGraph(1, {dir.path(), config, regional});
        EXPECT_FALSE(result.written());
        EXPECT_EQ(result.message, "Not enough data to create the image  outtempg.gif");
    }
}

TEST(ArchiveGraphs, TheWindRunNeedsThreeRecordsAndEveryGraphItsFile)
{
    testsupport::TempDir dir;
    app::ConfigRecord config;
    const units::RegionalSettings regional;
    EXPECT_EQ(makeArchiveGraph(2, {dir.path(), config, regional}).message,
              "Not enough data to create the image  inhumg.gif");
    config.stationModel = kTirrelE;
    EXPECT_EQ(makeArchiveGraph(2, {dir.path(), config, regional}).message,
              "Not enough data to create the image  etg.gif");

    config.stationModel = kOstrel;
    std::vector<std::string> lines = test::dayOfRecords();
    lines.resize(2);
    test::writeArchive(dir.path(), lines);
    EXPECT_TRUE(makeArchiveGraph(9, {dir.path(), config, regional}).written());
    EXPECT_EQ(makeArchiveGraph(10, {dir.path(), config, regional}).message,
              "Not enough data to create the image  windrung.gif");
}

} // namespace
} // namespace bv::images
