#include <gtest/gtest.h>

#include "recording_output.h"
#include "sim/paging_service.h"

namespace bv::sim {
namespace {

using test::RecordingOutput;

std::string type(PagingService& service, RecordingOutput& out, const std::string& text)
{
    service.onBytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                    out);
    return out.takeText();
}

TEST(PagingService, ChecksTapBlocksAndHangsUpOnEndOfTransmission)
{
    PagingService service;
    RecordingOutput out;
    type(service, out, "ATE0V1Q0\r");
    EXPECT_EQ(type(service, out, "ATDT5550000\r"), "\r\nCONNECT 2400\r\n");
    out.now += 10'000;
    EXPECT_EQ(type(service, out, "\r"), "ID=");
    EXPECT_EQ(type(service, out, "\x1bPG1secret\r"), "110 1.8\r\x06\r\x1b[p\r");

    // The sums of STX..ETX: 0x20F for 1234/abc, 0x054 for 5 with no message.
    const struct {
        std::string block;
        std::string reply;
        ReceivedPage page;
    } cases[] = {
        {"\x02"
         "1234\rabc\r\x03"
         "20?\r",
         "\x06\r",
         {"1234", "abc", false, true, false}},
        {"\x02"
         "1234\rabc\r\x03"
         "210\r",
         "\x15\r",
         {"1234", "abc", false, false, true}},
        {"\x02"
         "5\r\r\x03"
         "054\r",
         "\x06\r",
         {"5", "", false, true, false}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(type(service, out, c.block), c.reply) << c.block;
        EXPECT_EQ(service.pages().back(), c.page) << c.block;
    }
    service.refuseBlocks(1); // a good block refused all the same, as after a line error
    EXPECT_EQ(type(service, out,
                   "\x02"
                   "5\r\r\x03"
                   "054\r"),
              "\x15\r");
    EXPECT_EQ(service.pages().back(), (ReceivedPage{"5", "", false, true, true}));
    EXPECT_EQ(type(service, out, "\x04\r"), "\x1b\x04\r\r\nNO CARRIER\r\n");
    EXPECT_EQ(type(service, out, "AT\r"), "\r\nOK\r\n") << "back in command mode";
}

} // namespace
} // namespace bv::sim
