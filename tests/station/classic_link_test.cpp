#include <cerrno>

#include <gtest/gtest.h>

#include "link_rig.h"
#include "station/classic_link.h"
#include "station/protocol_bytes.h"
#include "station/result_codes.h"
#include "station_peer.h"

namespace bv::station::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct ClassicRig {
    ClassicRig() { EXPECT_EQ(rig.classicPort.open(1, 2400), PortResult::Done); }
    // Answers the first commands with the given replies, then as a good station.
    void answerFirst(std::vector<Bytes> replies)
    {
        station.setHandler(
            [this, replies = std::move(replies)](const StationCommand&, sim::LineOutput& out) {
                if (answered >= replies.size())
                    return false;
                out.send(replies[answered++]);
                return true;
            });
    }
    StationPeer station{false, false};
    LinkRig rig{station};
    ClassicLink link{rig.classicPort};
    std::size_t answered = 0;
};

TEST(ClassicLink, WritesWordThenEachArgumentByteThenCarriageReturn)
{
    ClassicRig c;
    ASSERT_EQ(c.link.writeStation({1, 214, 4}, 100), kDone);
    EXPECT_EQ(c.rig.wire.writtenText(), std::string("WWR") + "\x43\xD6\x64" + '\0' + "\r");
    EXPECT_EQ(c.rig.wire.writeTimes().size(), 1u + 4u + 1u);
    EXPECT_EQ(c.station.stationNibbles(1, 214, 4), 100u);
}

TEST(ClassicLink, ResultsOfCommandsReadsAndWrites)
{
    ClassicRig c;
    c.station.setStationNibbles(0, 77, 1, 3);
    std::uint32_t value = 9;
    EXPECT_EQ(c.link.readStation({0, 77, 1}, value), kOk);
    EXPECT_EQ(value, 3u);
    EXPECT_EQ(c.link.writeStation(0x41, 96, Bytes{0, 0}), kDone);
    EXPECT_EQ(c.link.sendCommand(protocol::kSetArchivePeriod, Bytes{30}), kDone);
    EXPECT_EQ(c.link.sendDump(), kDone);
    EXPECT_EQ(c.link.sendStatusRead(), kOk);
}

TEST(ClassicLink, UnacknowledgedCommandIsSentOnceMoreAfterDraining)
{
    struct Case {
        std::vector<Bytes> replies;
        int result;
        std::size_t sends;
        PortError lastError;
        std::int64_t elapsedMs;
    };
    const Case cases[] = {
        {{{}}, kDone, 2, PortError::None, 500 + 3000 + 500},
        {{{'?', 'x'}}, kDone, 2, PortError::None, 500 + 500},
        {{{}, {}}, kNoReply, 2, PortError::Timeout, 2 * (500 + 3000)},
        {{{}, {protocol::kNak}}, kNoReply, 2, PortError::UnexpectedAck, 500 + 3000 + 500},
        {{{protocol::kBang}, {protocol::kCancel}, {protocol::kAck}},
         kNoReply,
         2,
         PortError::UnexpectedAck,
         1000},
    };
    for (const Case& k : cases) {
        ClassicRig c;
        c.answerFirst(k.replies);
        EXPECT_EQ(c.link.sendCommand(protocol::kBeginTimedWrite), k.result);
        EXPECT_EQ(c.station.commands().size(), k.sends);
        EXPECT_EQ(c.rig.now(), k.elapsedMs);
        if (k.result < 0) {
            EXPECT_EQ(c.rig.classicPort.lastError(), k.lastError);
        }
    }
}

TEST(ClassicLink, FailedWriteEndsTheCommandWithoutASecondAttempt)
{
    ClassicRig c;
    c.rig.wire.failWrites(EIO);
    EXPECT_EQ(c.link.sendCommand(protocol::kBeginTimedWrite), kNoReply);
    EXPECT_EQ(c.rig.classicPort.lastError(), PortError::System);
    EXPECT_EQ(c.rig.classicPort.systemError(), EIO);
    EXPECT_EQ(c.rig.now(), 500) << "one drain, no repeat";
}

TEST(ClassicLink, DumpRefusedTwiceGivesMinusFive)
{
    ClassicRig c;
    c.answerFirst({{protocol::kNak}, {protocol::kNak}});
    EXPECT_EQ(c.link.sendDump(), kDumpRefused);
}

TEST(ClassicLink, DataReplyStallingOverTwoSecondsFails)
{
    ClassicRig c;
    c.station.setHandler([](const StationCommand&, sim::LineOutput& out) {
        out.send(Bytes{protocol::kAck, 0x01});
        out.send(Bytes{0x02}, 2001);
        return true;
    });
    EXPECT_EQ(c.link.readStation({1, 52, 4}), kNoReply);
    EXPECT_EQ(c.rig.classicPort.lastError(), PortError::Timeout);
    EXPECT_TRUE(c.link.reply().empty());
}

TEST(ClassicLink, StatusReadWithABadCrcGivesMinusFour)
{
    ClassicRig c;
    c.answerFirst({{protocol::kAck, 0x00, 0x00, 0x01}});
    EXPECT_EQ(c.link.sendStatusRead(), kClassicCrcError);
}

TEST(ClassicLink, DialsWaitingForTheModemsResult)
{
    // The engine's traits choose the dial mode: a silent modem ends in failure.
    ClassicRig c;
    std::vector<std::string> log;
    EXPECT_EQ(c.link.dialStation("123", ModemDialSettings{},
                                 {{}, [&](const std::string& text) { log.push_back(text); }}),
              kDialFailed);
    EXPECT_EQ(log.size(), 1u);
}

} // namespace
} // namespace bv::station::testing
