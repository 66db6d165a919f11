#include <gtest/gtest.h>

#include "paging/numeric_dial.h"
#include "paging/tap_block.h"

namespace bv::paging {
namespace {

TEST(TapBlock, CarriesItsChecksumAndNeverPassesTheLengthLimit)
{
    // 0x02 + "1234" (0xCA) + 0x0D + "abc" (0x126) + 0x0D + 0x03 = 0x20F.
    EXPECT_EQ(tapBlock("1234", "abc"), "\x02"
                                       "1234\rabc\r\x03"
                                       "20?\r");
    // A long message is cut so that STX..ETX is 250 characters: 4 framing,
    // 4 ID, 242 of the message; 242 x (0x78) sum to 0x7170, + 0x20F - 0x126
    // (the framing and the ID) gives 0x7259, low 12 bits 0x259.
    const std::string block = tapBlock("1234", std::string(400, 'x'));
    ASSERT_EQ(block.size(), 250u + 4u);
    EXPECT_EQ(block.substr(250), "259\r");
    EXPECT_EQ(block[249], '\x03');
}

TEST(NumericDial, AddsAPauseForEveryStartedTwoSeconds)
{
    struct Case {
        int connectDelay;
        std::string access;
        int accessDelay;
        std::string command;
        int waitSec;
    } cases[] = {
        {5, "0", 2, "atdt5551234,,,;\r", 5},
        {6, "777", 2, "atdt5551234,,,777,;\r", 8},
        {0, "777", 3, "atdt5551234777,,;\r", 3},
    };
    for (const Case& c : cases) {
        PagerEntry entry;
        entry.number = "5551234";
        entry.connectDelaySec = c.connectDelay;
        entry.access = c.access;
        entry.accessDelaySec = c.accessDelay;
        const NumericDial dial = numericDial(entry);
        EXPECT_EQ(dial.command, c.command) << c.connectDelay;
        EXPECT_EQ(dial.waitSec, c.waitSec) << c.connectDelay;
    }
}

TEST(NumericDial, ShowsThePageFromItsFirstCodeToTheHash)
{
    EXPECT_EQ(numericDisplayText("1*12*85*#,,,;ATH0\r"), "1-12-85-");
    EXPECT_EQ(numericDisplayText("55*0*72*1*3*#,,,;ATH0\r"), "0-72-1-3-");
    EXPECT_EQ(numericDisplayText("99999999#,,,;ATH0\r"), "99999999#,,,;ATH0");
    EXPECT_EQ(numericDisplayText("9*#1*2#"), "9-#1-2#");
}

} // namespace
} // namespace bv::paging
