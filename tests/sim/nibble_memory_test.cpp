#include <gtest/gtest.h>

#include <string>

#include "sim/nibble_memory.h"
#include "sim/simulated_model.h"
#include "sim/xmodem_crc.h"

namespace bv::sim {
namespace {

TEST(NibbleMemory, ValuesSitLowNibbleFirstAndReadsFetchWholeBytes)
{
    NibbleMemory m;
    m.setValue({1, 52, 4}, 0x1234);
    EXPECT_EQ(m.nibble(1, 52), 0x4);
    EXPECT_EQ(m.nibble(1, 55), 0x1);
    EXPECT_EQ(m.readBytes(1, 52, 4), (std::vector<std::uint8_t>{0x34, 0x12}));
    // A 3-nibble read at an odd address: the top half of the last byte is the
    // nibble after the value.
    m.setValue({0, 77, 1}, 4);
    m.setValue({0, 78, 1}, 0xC);
    EXPECT_EQ(m.readBytes(0, 77, 1), (std::vector<std::uint8_t>{0xC4}));
    EXPECT_EQ(m.readBytes(1, 53, 3), (std::vector<std::uint8_t>{0x23, 0x01}));
}

TEST(NibbleMemory, WritesStoreOnlyTheNibblesAskedFor)
{
    NibbleMemory m;
    m.setValue({0, 72, 2}, 0xAB);
    const std::uint8_t byte = 0x5F;
    m.writeBytes(0, 72, 1, std::span(&byte, 1));
    EXPECT_EQ(m.value({0, 72, 2}), 0xAFu);
}

TEST(NibbleMemory, SignedValuesExtendFromTheTopOfTheirWidth)
{
    NibbleMemory m;
    m.setValue({1, 69, 3}, -2048);
    EXPECT_EQ(m.value({1, 69, 3}), 0x800u);
    EXPECT_EQ(m.signedValue({1, 69, 3}), -2048);
    m.setValue({1, 72, 3}, 2047);
    EXPECT_EQ(m.signedValue({1, 72, 3}), 2047);
    m.setValue({1, 90, 4}, -325);
    EXPECT_EQ(m.signedValue({1, 90, 4}), -325);
}

TEST(NibbleMemory, AddressesWrapAtTheEndOfTheBank)
{
    NibbleMemory m;
    m.setValue({1, 254, 4}, 0xBEEF);
    EXPECT_EQ(m.nibble(1, 0), 0xE);
    EXPECT_EQ(m.readBytes(1, 254, 4), (std::vector<std::uint8_t>{0xEF, 0xBE}));
    EXPECT_EQ(m.value({0, 254, 4}), 0u) << "the other bank is untouched";
    EXPECT_TRUE(NibbleMemory::overlaps({1, 254, 4}, 1, 1, 1));
    EXPECT_FALSE(NibbleMemory::overlaps({1, 254, 4}, 1, 2, 3));
}

TEST(NibbleMemory, BcdDigitsAndNonDigits)
{
    NibbleMemory m;
    m.setBcdValue({1, 148, 2}, 37);
    EXPECT_EQ(m.value({1, 148, 2}), 0x37u);
    EXPECT_EQ(m.bcdValue({1, 148, 2}), 37);
    m.setValue({1, 148, 2}, 0x3A);
    EXPECT_EQ(m.bcdValue({1, 148, 2}), -1);
}

TEST(XmodemCrc, MatchesTheCheckValueAndClosesBlocks)
{
    const std::string check = "123456789";
    EXPECT_EQ(xmodemCrc(std::vector<std::uint8_t>(check.begin(), check.end())), 0x31C3);
    std::vector<std::uint8_t> block{0x01, 0xAA, 0x0D, 0x00, 0xFF};
    appendCrc(block, 1);
    EXPECT_EQ(xmodemCrc(std::span(block).subspan(1)), 0);
    EXPECT_NE(xmodemCrc(block), 0) << "the start byte is outside the CRC";
}

TEST(SimulatedModel, NamesAreFoundWhateverTheirCaseAndSpacing)
{
    struct Case {
        const char* name;
        int code;
    };
    for (const Case& c :
         {Case{"Tirrel E", 5}, Case{"tirrel-e", 5}, Case{"TIRREL D", 4}, Case{"carrow iii", 1},
          Case{"Carrow II", 2}, Case{"ostrel_ii", 0}, Case{"Lunett", 3}}) {
        const SimulatedModel* m = findSimulatedModel(c.name);
        ASSERT_NE(m, nullptr) << c.name;
        EXPECT_EQ(m->modelCode, c.code) << c.name;
    }
    EXPECT_EQ(findSimulatedModel("Carrow"), nullptr);
    EXPECT_EQ(findSimulatedModel("Tirrel F"), nullptr);
    EXPECT_EQ(simulatedModelByCode(6), nullptr);
}

} // namespace
} // namespace bv::sim
