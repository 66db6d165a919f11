#include <gtest/gtest.h>

#include "link_rig.h"
#include "station/crc16.h"
#include "station/protocol_bytes.h"
#include "station/result_codes.h"
#include "station/tirrel_link.h"
#include "station_peer.h"

namespace bv::station::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr MemoryLocation kDailyRain{1, 201, 3};
constexpr MemoryLocation kWindRun{0, 162, 5};

// A Tirrel station of the given model on the wire, the port open.
struct TirrelRig {
    explicit TirrelRig(char model) : station(model == 'E', model == 'E'), rig(station)
    {
        EXPECT_EQ(rig.tirrelPort.open(1, 2400, model), PortResult::Done);
    }
    void answerWith(Bytes reply)
    {
        station.setHandler([reply](const StationCommand&, sim::LineOutput& out) {
            out.send(reply);
            return true;
        });
    }
    StationPeer station;
    LinkRig rig;
    TirrelLink link{rig.tirrelPort};
};

Bytes commandBytes(std::string_view word, Bytes args)
{
    Bytes bytes(word.begin(), word.end());
    bytes.insert(bytes.end(), args.begin(), args.end());
    bytes.push_back(protocol::kCarriageReturn);
    return bytes;
}

TEST(TirrelLink, ModelEPutsTheCommandsCrcInFrontLowByteFirst)
{
    TirrelRig e('E');
    ASSERT_EQ(e.link.readStation(kDailyRain), kOk);
    const Bytes command = commandBytes("WRD", {0x34, 201});
    const std::uint16_t crc = crc16(command);
    Bytes expected{static_cast<std::uint8_t>(crc & 0xFF), static_cast<std::uint8_t>(crc >> 8)};
    expected.insert(expected.end(), command.begin(), command.end());
    EXPECT_EQ(e.rig.wire.written(), expected);
    // Two one-byte writes, then the command in one.
    EXPECT_EQ(e.rig.wire.writeTimes().size(), 3u);
    ASSERT_EQ(e.station.commands().size(), 1u);
    EXPECT_TRUE(e.station.commands()[0].crcGood);
}

TEST(TirrelLink, ModelDSendsTheCommandAlone)
{
    TirrelRig d('D');
    ASSERT_EQ(d.link.readLogger({1, 10, 4}), kOk);
    EXPECT_EQ(d.rig.wire.written(), commandBytes("RRD", {1, 10, 3}));
}

TEST(TirrelLink, AcknowledgementBytesGiveTheirCodes)
{
    struct Case {
        Bytes reply;
        int result;
        std::int64_t elapsedMs; // the drain before the command takes 500 ms
    };
    const Case cases[] = {
        {{protocol::kAck}, kOk, 500},
        {{protocol::kBang, 'x', 'y'}, kStationBang, 1000},
        {{protocol::kCancel}, kStationCancel, 1000},
        {{protocol::kNak}, kStationOther, 1000},
        {{'A', protocol::kAck}, kStationOther, 1000},
        {{}, kNoReply, 3500},
    };
    for (char model : {'D', 'E'}) {
        for (const Case& c : cases) {
            TirrelRig t(model);
            t.answerWith(c.reply);
            EXPECT_EQ(t.link.sendCommand(protocol::kBeginTimedWrite), c.result) << model;
            EXPECT_EQ(t.rig.now(), c.elapsedMs);
            EXPECT_EQ(t.rig.wire.pendingBytes(), 0u) << "the line is left drained";
        }
    }
}

TEST(TirrelLink, ReadsValuesCutToTheirNibbles)
{
    for (char model : {'D', 'E'}) {
        TirrelRig t(model);
        t.station.setStationNibbles(1, 201, 4, 0xFABC); // the fourth nibble is not the value's
        t.station.setStationNibbles(0, 162, 6, 0x912345);
        std::uint32_t value = 0;
        EXPECT_EQ(t.link.readStation(kDailyRain, value), kOk);
        EXPECT_EQ(value, 0xABCu);
        EXPECT_EQ(t.link.readStation(kWindRun, value), kOk);
        EXPECT_EQ(value, 0x12345u);
        EXPECT_EQ(t.link.reply().size(), 3u);
    }
}

TEST(TirrelLink, WriteStationSendsTheValueLittleEndian)
{
    TirrelRig t('E');
    EXPECT_EQ(t.link.writeStation({1, 207, 4}, 127), kOk);
    ASSERT_EQ(t.station.commands().size(), 1u);
    EXPECT_EQ(t.station.commands()[0].args, (Bytes{0x43, 207, 127, 0}));
    EXPECT_EQ(t.station.stationNibbles(1, 207, 4), 127u);
}

TEST(TirrelLink, ModelDReplyStallingOverTwoSecondsFails)
{
    TirrelRig d('D');
    d.station.setHandler([](const StationCommand&, sim::LineOutput& out) {
        out.send(Bytes{protocol::kAck, 0x12});
        out.send(Bytes{0x34}, 2500);
        return true;
    });
    EXPECT_EQ(d.link.readStation({1, 0, 4}), kNoReply);
    EXPECT_EQ(d.rig.tirrelPort.lastError(), PortError::Timeout);
    EXPECT_EQ(d.rig.now(), 500 + 2000);
}

TEST(TirrelLink, ModelEReplyWaitsThreeSecondsPerByte)
{
    TirrelRig e('E');
    e.station.setHandler([](const StationCommand&, sim::LineOutput& out) {
        out.send(Bytes{protocol::kAck, 0x12});
        out.send(Bytes{0x34}, 2500); // slower than model D allows, within the per-byte time-out
        return true;
    });
    EXPECT_EQ(e.link.readStation({1, 0, 4}), kNoReply); // the two CRC bytes never come
    EXPECT_EQ(e.rig.now(), 500 + 2500 + 3000);
}

TEST(TirrelLink, ModelEDataWithABadCrcFailsAndOnlyRrdIsSentAgain)
{
    TirrelRig e('E');
    int replies = 0;
    e.station.setHandler([&](const StationCommand&, sim::LineOutput& out) {
        Bytes reply = StationPeer::withCrc({0x21, 0x43});
        if (replies++ == 0)
            reply.back() ^= 0x01;
        reply.insert(reply.begin(), protocol::kAck);
        out.send(reply);
        return true;
    });
    EXPECT_EQ(e.link.readStation({1, 0, 4}), kTirrelCrcError);
    EXPECT_EQ(e.station.commands().size(), 1u);

    replies = 0;
    std::uint32_t value = 0;
    EXPECT_EQ(e.link.readLogger({1, 10, 4}, value), kOk);
    EXPECT_EQ(value, 0x4321u);
    ASSERT_EQ(e.station.words(), (std::vector<std::string>{"WRD", "RRD", "RRD"}));
    // 300 ms pause, then the drain that starts every command.
    EXPECT_EQ(e.station.commands()[2].atMs - e.station.commands()[1].atMs, 300 + 500);
}

TEST(TirrelLink, RrdGivesUpAfterTwoBadCrcs)
{
    TirrelRig e('E');
    e.station.setHandler([](const StationCommand&, sim::LineOutput& out) {
        out.send(Bytes{protocol::kAck, 1, 2, 3, 4});
        return true;
    });
    EXPECT_EQ(e.link.readLogger({1, 10, 4}), kTirrelCrcError);
    EXPECT_EQ(e.station.commands().size(), 2u);
    EXPECT_TRUE(e.link.reply().empty());
}

TEST(TirrelLink, StatusReadIsCrcCheckedOnBothModels)
{
    for (char model : {'D', 'E'}) {
        TirrelRig t(model);
        EXPECT_EQ(t.link.sendStatusRead(), kOk);
        EXPECT_EQ(t.station.commands().back().args, (Bytes{0, 0, 0, 0}));
        t.answerWith({protocol::kAck, 0x00, 0x12, 0x34});
        EXPECT_EQ(t.link.sendStatusRead(), kTirrelCrcError);
    }
}

TEST(TirrelLink, LoopAsksForOnePacket)
{
    TirrelRig t('D');
    EXPECT_EQ(t.link.sendLoop(), kOk);
    EXPECT_EQ(t.rig.wire.written(), commandBytes("LOOP", {0xFF, 0xFF}));
}

TEST(TirrelLink, TimedWriteAlwaysEndsWithEbtOnceDbtWasTaken)
{
    struct Case {
        Bytes dbtReply;
        int bodyResult;
        int result;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {{protocol::kAck}, kOk, kOk, {"DBT", "WWR", "EBT"}},
        {{protocol::kAck}, kNoReply, kNoReply, {"DBT", "WWR", "EBT"}},
        {{protocol::kBang}, kOk, kStationBang, {"DBT"}},
    };
    for (const Case& c : cases) {
        TirrelRig t('E');
        t.station.setHandler([&](const StationCommand& command, sim::LineOutput& out) {
            if (command.word != protocol::kBeginTimedWrite)
                return false;
            out.send(c.dbtReply);
            return true;
        });
        const int result = t.link.runTimedWrite([&] {
            t.link.writeStation({1, 148, 4}, 0x1230);
            return c.bodyResult;
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(t.station.words(), c.words);
    }
}

TEST(TirrelLink, ModelThatAnswersForAnotherNeverHangs)
{
    struct Case {
        const char* what;
        bool stationCrcCommands;
        bool stationCrcReplies;
        char linkModel;
        int result;
    };
    const Case cases[] = {
        // The CRC bytes in front are noise to a model D station, and its reply
        // lacks the CRC the link waits for.
        {"E link, D station", false, false, 'E', kNoReply},
        // A model E station takes the word's first two letters for a CRC and
        // never answers.
        {"D link, E station", true, true, 'D', kNoReply},
        // The CRC bytes a model D link leaves on the line are drained before
        // the next command.
        {"D link, CRC replies", false, true, 'D', kOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StationPeer station(c.stationCrcCommands, c.stationCrcReplies);
        station.setStationNibbles(1, 0, 4, 0xBEEF);
        LinkRig rig(station);
        ASSERT_EQ(rig.tirrelPort.open(1, 2400, c.linkModel), PortResult::Done);
        TirrelLink link(rig.tirrelPort);
        std::uint32_t value = 0;
        // A good exchange twice, to see the second start clean.
        for (int round = 0; round < (c.result == kOk ? 2 : 1); ++round) {
            EXPECT_EQ(link.readStation({1, 0, 4}, value), c.result);
            EXPECT_EQ(value, c.result == kOk ? 0xBEEFu : 0u);
        }
        if (c.result != kOk) {
            EXPECT_EQ(rig.now(), 500 + 3000);
        }
    }
}

} // namespace
} // namespace bv::station::testing
