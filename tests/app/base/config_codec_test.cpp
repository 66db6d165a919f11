#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/base/config_codec.h"
#include "app/base/config_fields.h"
#include "app/base/config_values.h"
#include "config_test_image.h"

namespace bv::app {
namespace {

ConfigImage imageOf(const ConfigTestImage& test)
{
    ConfigImage image;
    std::ranges::copy(test.bytes, image.begin());
    return image;
}

template <std::size_t N> std::vector<int> rawFlags(const std::array<Flag, N>& flags)
{
    std::vector<int> raw;
    for (const Flag flag : flags) {
        raw.push_back(flag.raw());
    }
    return raw;
}

TEST(ConfigCodec, DefaultsMatchAFreshInstallationByteForByte)
{
    EXPECT_EQ(encodeConfig(ConfigRecord{}), imageOf(defaultTestImage()));
    EXPECT_EQ(decodeConfig(imageOf(defaultTestImage())), ConfigRecord{});
}

TEST(ConfigCodec, DecodesEveryFieldFromItsOffset)
{
    const ConfigRecord r = decodeConfig(imageOf(busyTestImage()));
    EXPECT_EQ(r.ftpHost, "ftp.example.net");
    EXPECT_EQ(r.ftpPort, 21);
    EXPECT_EQ(r.ftpUser, "weatherman");
    EXPECT_EQ(r.ftpPassword, "s3cret");
    EXPECT_EQ(r.ftpRemotePath, "www/wx");
    EXPECT_EQ(r.dialupEntry, "Provider");
    EXPECT_EQ(r.dialupUser, "dialer");
    EXPECT_EQ(r.dialupPassword, "d1al");
    EXPECT_EQ(r.transferIntervalSec, 900);
    EXPECT_TRUE(r.stayConnected && r.internetTransferEnabled && r.localServerConnection);
    EXPECT_EQ(r.stationComPort, 3);
    EXPECT_EQ(r.stationBaud, 1200);
    EXPECT_EQ(r.stationModel, 4);
    EXPECT_EQ(r.stationDir, "C:\\VIRARAZ");
    EXPECT_TRUE(r.localTransferEnabled);
    EXPECT_EQ(r.localTransferPath, "D:\\WEB\\");
    EXPECT_EQ(r.rainCollector, 2);
    EXPECT_EQ(r.tempUnit, 1);
    EXPECT_EQ(r.baroUnit, 3);
    EXPECT_EQ(r.windUnit, 2);
    EXPECT_EQ(r.rainUnit, 1);
    EXPECT_EQ(r.templateExtension, "html");
    EXPECT_EQ(r.transferHold, 7);
    EXPECT_EQ(rawFlags(r.transferRange.days), (std::vector<int>{0, 1, 1, 1, 1, 1, 0}));
    EXPECT_TRUE(r.transferRange.enabled);
    EXPECT_EQ(r.transferRange.fromMin, 360);
    EXPECT_EQ(r.transferRange.toMin, 1320);
    EXPECT_TRUE(r.downloadEnabled);
    EXPECT_EQ(r.downloadIntervalMin, 120);
    EXPECT_TRUE(r.archiveOverwrite && r.clearArchiveAfterDownload && r.downloadBeforeUpload);
    EXPECT_EQ(r.archiveFileName, "archive.txt");
    EXPECT_EQ(r.pagerComPort, 2);
    EXPECT_TRUE(r.pageOnAlarm && r.pageWeather && r.alarmPageRange.enabled);
    EXPECT_EQ(r.alarmPageIntervalMin, 30);
    EXPECT_EQ(rawFlags(r.alarmPageRange.days), (std::vector<int>{1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(r.alarmPageRange.fromMin, 420);
    EXPECT_EQ(r.alarmPageRange.toMin, 1380);
    EXPECT_TRUE(r.weatherPageRange.enabled);
    EXPECT_EQ(r.weatherPageIntervalMin, 90);
    EXPECT_EQ(rawFlags(r.weatherPageRange.days), (std::vector<int>{0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(r.weatherPageRange.fromMin, 480);
    EXPECT_EQ(r.weatherPageRange.toMin, 1200);
    EXPECT_EQ(r.alarmRearmMin, 45);
    for (std::size_t i = 0; i < r.alarmLimits.size(); ++i) {
        EXPECT_EQ(r.alarmLimits[i], static_cast<float>(i) * 2.5f - 10.0f) << i;
    }
    EXPECT_EQ(rawFlags(r.weatherPageItems), (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(r.andAlarmParam, (std::array<std::uint8_t, 4>{2, 12, 5, 9}));
    EXPECT_EQ(r.andAlarmHigh, (std::array<std::uint8_t, 4>{1, 0, 1, 0}));
    EXPECT_EQ(r.andAlarmValue, (std::array<float, 4>{85.5f, 4.0f, -100.0f, 29.75f}));
    EXPECT_EQ(rawFlags(r.currentImages), (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(rawFlags(r.historyImages), (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(r.imageBackground, 4);
    EXPECT_TRUE(r.imageHighsLows && r.stationViaModem && r.rotaryDial);
    EXPECT_EQ(r.stationModemInit, "ATZ");
    EXPECT_EQ(r.stationPhone, "555-0142");
    EXPECT_EQ(r.afterConnectWaitSec, 20);
    EXPECT_TRUE(r.loggerEnabled);
    EXPECT_EQ(r.loggerCommand, "C:\\DARNEX4\\DARNEX4.EXE /auto");
    EXPECT_EQ(rawFlags(r.loggerDays), (std::vector<int>{1, 1, 1, 1, 1, 0, 0}));
    EXPECT_EQ(r.loggerStartMin, 60);
    EXPECT_EQ(r.loggerEndMin, 120);
    EXPECT_TRUE(r.uploadArchiveFile);
    EXPECT_EQ(r.dialAttempts, 3);
    EXPECT_EQ(r.dialRetryWaitSec, 10);
    EXPECT_EQ(r.pagerModemInit, "AT&F");
}

TEST(ConfigCodec, EncodingADecodedFileReproducesEveryByteReservedOnesIncluded)
{
    const ConfigImage file = imageOf(busyTestImage());
    EXPECT_EQ(encodeConfig(decodeConfig(file)), file);
}

TEST(ConfigCodec, FlagBytesOtherThanOneReadAsOffAndAreWrittenBack)
{
    ConfigTestImage test = defaultTestImage();
    test.i8(1148, 2).i8(1129, 0xFF);
    const ConfigRecord record = decodeConfig(imageOf(test));
    EXPECT_FALSE(record.downloadEnabled);
    EXPECT_FALSE(record.transferRange.days[0]);
    EXPECT_EQ(encodeConfig(record), imageOf(test));
}

struct PortInFile {
    int byte100;
    int wideLow;
    int wideHigh;
    unsigned port;
};

TEST(ConfigCodec, FtpPortReadsTheWideCopyOrFallsBackToTheSignExtendedByte)
{
    const PortInFile cases[] = {
        {0x15, 0x00, 0x00, 21},    {0x49, 0x49, 0x08, 2121},
        {0x49, 0x00, 0x00, 73},    // 2121 saved by a program that keeps only the byte
        {0x85, 0x00, 0x00, 65413}, // 133 saved so: -123 sign-extended to 16 bits
        {0x50, 0x49, 0x08, 80},    // the port changed to 80 since by such a program
    };
    for (const auto& c : cases) {
        ConfigTestImage test = defaultTestImage();
        test.i8(100, c.byte100).i8(966, c.wideLow).i8(967, c.wideHigh);
        EXPECT_EQ(decodeConfig(imageOf(test)).ftpPort, c.port) << c.byte100;
    }
}

TEST(ConfigCodec, FtpPortKeepsTheLowByteAndAWideCopyWhenTheByteCannotCarryIt)
{
    const PortInFile cases[] = {
        {0x15, 0x00, 0x00, 21},    {0x49, 0x49, 0x08, 2121}, {0x85, 0x85, 0x00, 133},
        {0x85, 0x00, 0x00, 65413}, {0xFF, 0xFF, 0x00, 255},  {0xFF, 0x00, 0x00, 65535},
        {0x7F, 0x00, 0x00, 127},   {0x80, 0x80, 0x00, 128},
    };
    for (const auto& c : cases) {
        ConfigRecord record;
        record.ftpPort = static_cast<std::uint16_t>(c.port);
        const ConfigImage image = encodeConfig(record);
        EXPECT_EQ(image[100], c.byte100) << c.port;
        EXPECT_EQ(image[966], c.wideLow) << c.port;
        EXPECT_EQ(image[967], c.wideHigh) << c.port;
        EXPECT_EQ(decodeConfig(image).ftpPort, c.port);
    }
}

TEST(ConfigCodec, TextsAreCutOnlyWhenWrittenAndTheRestOfTheFieldIsZeroed)
{
    ConfigTestImage test = defaultTestImage();
    test.text(201, "a-long-old-password").text(201, "abc");
    ConfigRecord record = decodeConfig(imageOf(test));
    ASSERT_EQ(record.ftpPassword, "abc");
    record.stationDir = "/srv/" + std::string(300, 'w');
    record.ftpHost = std::string(98, 'h') + "\xC3\xA9"; // 100 bytes, the last two one character

    const ConfigImage image = encodeConfig(record);
    EXPECT_EQ(record.stationDir.size(), 305u);
    EXPECT_TRUE(
        std::all_of(image.begin() + 204, image.begin() + 301, [](auto b) { return b == 0; }));
    const ConfigRecord back = decodeConfig(image);
    EXPECT_EQ(back.stationDir, record.stationDir.substr(0, 149));
    EXPECT_EQ(back.ftpHost, std::string(98, 'h'));
}

TEST(ConfigLayout, FieldsAndReservedAreasCoverTheFileExactlyOnce)
{
    std::vector<int> owners(kConfigFileSize, 0);
    auto claim = [&](std::size_t offset, std::size_t size) {
        ASSERT_LE(offset + size, kConfigFileSize);
        for (std::size_t i = offset; i < offset + size; ++i) {
            ++owners[i];
        }
    };
    for (const ConfigField& field : configFields()) {
        claim(field.offset, elementCount(field) * elementWidth(field));
    }
    claim(kFtpPortWideOffset, kFtpPortWideSize);
    for (const ReservedArea& area : reservedAreas()) {
        claim(area.offset, area.size);
    }
    for (std::size_t i = 0; i < kConfigFileSize; ++i) {
        EXPECT_EQ(owners[i], 1) << "byte " << i;
    }
}

} // namespace
} // namespace bv::app
