#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

// Lays out "config.dat" bytes at explicit offsets, independently of the code
// under test, the way a hex editor or a foreign tool would.
class ConfigTestImage {
  public:
    static constexpr std::size_t kSize = 1740;

    ConfigTestImage& i8(std::size_t at, int value)
    {
        bytes[at] = static_cast<std::uint8_t>(value);
        return *this;
    }
    ConfigTestImage& i16(std::size_t at, int value)
    {
        return little(at, 2, static_cast<std::uint32_t>(value));
    }
    ConfigTestImage& i32(std::size_t at, std::int32_t value)
    {
        return little(at, 4, static_cast<std::uint32_t>(value));
    }
    ConfigTestImage& f32(std::size_t at, float value)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return little(at, 4, bits);
    }
    ConfigTestImage& text(std::size_t at, std::string_view value)
    {
        std::memcpy(bytes.data() + at, value.data(), value.size());
        bytes[at + value.size()] = 0;
        return *this;
    }
    ConfigTestImage& repeat(std::size_t at, std::size_t count, int value)
    {
        std::memset(bytes.data() + at, value, count);
        return *this;
    }

    std::array<std::uint8_t, kSize> bytes{};

  private:
    ConfigTestImage& little(std::size_t at, std::size_t size, std::uint32_t value)
    {
        for (std::size_t i = 0; i < size; ++i) {
            bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
        return *this;
    }
};

// The file a fresh installation writes: every default at its offset.
inline ConfigTestImage defaultTestImage()
{
    ConfigTestImage image;
    image.i8(100, 21)
        .text(301, "public_html")
        .i32(704, 3600)
        .i8(711, 1)
        .i16(712, 2400)
        .text(1122, "htm")
        .repeat(1129, 7, 1)
        .i32(1144, 1439)
        .i32(1152, 1440)
        .text(1159, "download.txt")
        .i8(1209, 1)
        .i32(1216, 15)
        .repeat(1220, 7, 1)
        .i32(1232, 1439)
        .i32(1240, 60)
        .repeat(1244, 7, 1)
        .i32(1256, 1439)
        .i32(1260, 15)
        .i8(1414, 1)
        .text(1418, "AT &F0 E &M Q V1 X4 S7=60")
        .i8(1637, 5)
        .i8(1638, 5)
        .text(1639, "AT &F0 E &M Q V1 X4 S7=60");
    for (std::size_t i = 0; i < 22; ++i) {
        image.f32(1264 + 4 * i, -100.0f);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        image.f32(1372 + 4 * i, -100.0f);
    }
    return image;
}

// A file from a station in use: every field away from its default, and
// something in every reserved byte.
inline ConfigTestImage busyTestImage()
{
    ConfigTestImage image;
    image.text(0, "ftp.example.net")
        .i8(100, 21)
        .text(101, "weatherman")
        .text(201, "s3cret")
        .text(301, "www/wx")
        .text(401, "Provider")
        .text(501, "dialer")
        .text(601, "d1al")
        .repeat(701, 3, 0xA1)
        .i32(704, 900)
        .i8(708, 1)
        .i8(709, 1)
        .i8(710, 1)
        .i8(711, 3)
        .i16(712, 1200)
        .i8(714, 4)
        .text(715, "C:\\VIRARAZ")
        .i8(865, 1)
        .text(866, "D:\\WEB\\")
        .repeat(966, 151, 0xB2)
        .repeat(966, 2, 0)
        .i8(1117, 2)
        .i8(1118, 1)
        .i8(1119, 3)
        .i8(1120, 2)
        .i8(1121, 1)
        .text(1122, "html")
        .i8(1127, 0xC3)
        .i8(1128, 7)
        .i8(1129, 0)
        .repeat(1130, 5, 1)
        .i8(1135, 0)
        .i8(1136, 1)
        .repeat(1137, 3, 0xD4)
        .i32(1140, 360)
        .i32(1144, 1320)
        .i8(1148, 1)
        .repeat(1149, 3, 0xE5)
        .i32(1152, 120)
        .i8(1156, 1)
        .i8(1157, 1)
        .i8(1158, 1)
        .text(1159, "archive.txt")
        .i8(1209, 2)
        .i8(1210, 1)
        .i8(1211, 1)
        .i8(1212, 1)
        .repeat(1213, 3, 0xF6)
        .i32(1216, 30)
        .i8(1220, 1)
        .i8(1227, 0x17)
        .i32(1228, 420)
        .i32(1232, 1380)
        .i8(1236, 1)
        .repeat(1237, 3, 0x28)
        .i32(1240, 90)
        .i8(1250, 1)
        .i8(1251, 0x39)
        .i32(1252, 480)
        .i32(1256, 1200)
        .i32(1260, 45)
        .i8(1352, 1)
        .i8(1363, 1)
        .i8(1364, 2)
        .i8(1365, 12)
        .i8(1366, 5)
        .i8(1367, 9)
        .i8(1368, 1)
        .i8(1370, 1)
        .f32(1372, 85.5f)
        .f32(1376, 4.0f)
        .f32(1380, -100.0f)
        .f32(1384, 29.75f)
        .i8(1388, 1)
        .i8(1399, 1)
        .i8(1401, 1)
        .i8(1411, 1)
        .i8(1414, 4)
        .i8(1415, 1)
        .i8(1416, 1)
        .i8(1417, 1)
        .text(1418, "ATZ")
        .text(1468, "555-0142")
        .i8(1518, 20)
        .i8(1519, 1)
        .text(1520, "C:\\DARNEX4\\DARNEX4.EXE /auto")
        .repeat(1620, 5, 1)
        .i8(1627, 0x4A)
        .i32(1628, 60)
        .i32(1632, 120)
        .i8(1636, 1)
        .i8(1637, 3)
        .i8(1638, 10)
        .text(1639, "AT&F")
        .repeat(1684, 56, 0x5B);
    for (std::size_t i = 0; i < 22; ++i) {
        image.f32(1264 + 4 * i, static_cast<float>(i) * 2.5f - 10.0f);
    }
    return image;
}
