#include <gtest/gtest.h>

#include "station/crc16.h"
#include "station/station_models.h"

namespace bv::station {
namespace {

TEST(Crc16, IsTheXmodemForm)
{
    EXPECT_EQ(crc16(std::string_view("123456789")), 0x31C3);
    EXPECT_EQ(crc16(std::string_view("")), 0);
    EXPECT_EQ(crc16Table()[1], 0x1021);
    EXPECT_EQ(crc16Table()[255], 0x1EF0);
}

TEST(Crc16, BlockWithItsCrcHighByteFirstChecksToZero)
{
    const std::vector<std::uint8_t> packets[] = {
        {0x00},
        {0x01, 0x02, 0x03},
        std::vector<std::uint8_t>(128, 0xA5),
    };
    for (std::vector<std::uint8_t> block : packets) {
        const std::uint16_t crc = crc16(block);
        block.push_back(static_cast<std::uint8_t>(crc >> 8));
        block.push_back(static_cast<std::uint8_t>(crc & 0xFF));
        EXPECT_EQ(crc16(block), 0);
        block[0] ^= 0x10;
        EXPECT_NE(crc16(block), 0);
    }
}

TEST(StationModels, CodesChooseEngineAndLetter)
{
    for (const StationModel& model : stationModels()) {
        EXPECT_EQ(findStationModel(model.code), &model);
        EXPECT_EQ(model.family == StationFamily::Tirrel, model.code >= 4) << model.name;
    }
    EXPECT_EQ(findStationModel(-1), nullptr);
    EXPECT_EQ(findStationModel(kModelCount), nullptr);
    EXPECT_EQ(tirrelModel('D').code, 4);
    EXPECT_EQ(tirrelModel('E').code, 5);
    EXPECT_EQ(tirrelModel('d').code, 5);
    // Only model E frames its commands and data with a CRC.
    EXPECT_FALSE(tirrelModel('D').protocol.commandCrc);
    EXPECT_TRUE(tirrelModel('E').protocol.commandCrc);
    EXPECT_FALSE(classicModel().protocol.commandCrc);
}

} // namespace
} // namespace bv::station
