#include <gtest/gtest.h>

#include "archive_records.h"

namespace bv::station::testing {
namespace {

TirrelArchiveRecord decodeTirrel(const TirrelRecordFields& f, const ArchiveDecoding& d)
{
    const auto bytes = tirrelRecord(f);
    return decodeTirrelRecord(std::span<const std::uint8_t, kTirrelRecordSize>(bytes.data(), 32),
                              d);
}

ClassicArchiveRecord decodeClassic(const ClassicRecordFields& f, const ArchiveDecoding& d)
{
    const auto bytes = classicRecord(f);
    return decodeClassicRecord(std::span<const std::uint8_t, kClassicRecordSize>(bytes.data(), 21),
                               d);
}

TEST(ArchiveRecord, TirrelValuesInMetricUnits)
{
    ArchiveDecoding d = tirrelDecoding();
    d.units.selection = {units::TemperatureUnit::Celsius, units::RainUnit::Millimetre,
                         units::BarometerUnit::Hectopascal, units::WindUnit::KmPerHour};
    d.offsets = {0.5f, 0.0f, 0, 1.0f}; // 0.9 °F, barometer +1 hPa
    const auto r = decodeTirrel({.barometer = 29920,
                                 .humidity = 55,
                                 .wind = 10,
                                 .rainTips = 25,
                                 .air = 725,
                                 .et = 15,
                                 .rainRate = 5},
                                d);
    EXPECT_NEAR(*r.airTemp, 23.0, 1e-5);       // 22.5 °C + 0.5
    EXPECT_NEAR(*r.barometer, 1014.21, 0.005); // 29.92 inHg + 1
    EXPECT_NEAR(*r.windSpeed, 16.09344, 1e-4);
    EXPECT_NEAR(*r.rain, 6.35, 1e-5);     // 0.254 mm a tip
    EXPECT_NEAR(*r.rainRate, 12.7, 1e-9); // x 25.4 x 0.1
    EXPECT_NEAR(*r.et, 0.375, 1e-9);      // x 2.5 x 0.01
    // Derived in °F from 72.5 °F, no offset, 55 %, then to °C.
    EXPECT_NEAR(*r.dewPoint, (55.4 - 32) * 5 / 9, 1e-5);
    EXPECT_NEAR(*r.windChill, (68.0 - 32) * 5 / 9, 1e-5);
    EXPECT_NEAR(*r.thermalIndex, (73.0 - 32) * 5 / 9, 1e-5);
}

TEST(ArchiveRecord, TheTirrelProbeWordIsLeafWetnessOnlyWithALeafSensor)
{
    struct Case {
        bool leafSensor;
        int word;
        std::optional<double> leaf;
        std::optional<double> soil;
    };
    for (const Case c : {Case{true, 7, 7.0, std::nullopt}, Case{true, 0, 0.0, std::nullopt},
                         Case{true, 16, std::nullopt, 1.1}, Case{false, 7, std::nullopt, 0.2},
                         Case{true, -1, std::nullopt, -0.6}}) {
        ArchiveDecoding d = tirrelDecoding(); // soil offset -0.5
        d.leafSensor = c.leafSensor;
        const auto r = decodeTirrel({.soil = c.word}, d);
        EXPECT_EQ(r.leafWetness, c.leaf) << c.word;
        ASSERT_EQ(r.soilTemp.has_value(), c.soil.has_value()) << c.word;
        if (c.soil) {
            EXPECT_NEAR(*r.soilTemp, *c.soil, 1e-5) << c.word;
        }
    }
}

TEST(ArchiveRecord, HumiditiesAreHeldToOneToAHundred)
{
    struct Case {
        int raw;
        int offset;
        std::optional<double> outside;
        std::optional<double> inside;
    };
    for (const Case c : {Case{0, 0, 1.0, 1.0}, Case{98, 5, 100.0, 98.0}, Case{2, -5, 1.0, 2.0},
                         Case{101, 0, 100.0, 100.0}, Case{128, 5, std::nullopt, std::nullopt}}) {
        ArchiveDecoding d = classicDecoding();
        d.offsets.humidity = c.offset;
        const auto r = decodeClassic({.insideHum = c.raw, .outsideHum = c.raw}, d);
        EXPECT_EQ(r.outsideHum, c.outside) << c.raw << " " << c.offset;
        EXPECT_EQ(r.insideHum, c.inside) << c.raw;
    }
}

} // namespace
} // namespace bv::station::testing
