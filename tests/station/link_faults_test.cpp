#include <gtest/gtest.h>

#include <random>
#include <set>

#include "link_rig.h"
#include "station/classic_link.h"
#include "station/protocol_bytes.h"
#include "station/result_codes.h"
#include "station/tirrel_link.h"
#include "station_peer.h"

// Bad input from the line: whatever the station sends, the engines return one
// of their codes within the stated time-outs.
namespace bv::station::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

enum class Engine { TirrelD, TirrelE, Classic };

struct EngineRig {
    explicit EngineRig(Engine engine)
        : station(engine == Engine::TirrelE, engine == Engine::TirrelE), rig(station)
    {
        if (engine == Engine::Classic) {
            EXPECT_EQ(rig.classicPort.open(1, 2400), PortResult::Done);
            link = std::make_unique<ClassicLink>(rig.classicPort);
        } else {
            EXPECT_EQ(rig.tirrelPort.open(1, 2400, engine == Engine::TirrelD ? 'D' : 'E'),
                      PortResult::Done);
            link = std::make_unique<TirrelLink>(rig.tirrelPort);
        }
    }
    StationPeer station;
    LinkRig rig;
    std::unique_ptr<StationLink> link;
};

struct BadReply {
    const char* what;
    Bytes reply;
    int tirrelD;
    int tirrelE;
    int classic;
};

// Replies to a 4-nibble WRD (2 data bytes).
const BadReply kBadReplies[] = {
    {"silence", {}, kNoReply, kNoReply, kNoReply},
    {"garbage", {'x', 'y', 'z', 0x00, 0xFF}, kStationOther, kStationOther, kNoReply},
    {"bang", {protocol::kBang}, kStationBang, kStationBang, kNoReply},
    {"cancel", {protocol::kCancel}, kStationCancel, kStationCancel, kNoReply},
    {"nak", {protocol::kNak}, kStationOther, kStationOther, kNoReply},
    {"ack only", {protocol::kAck}, kNoReply, kNoReply, kNoReply},
    {"truncated", {protocol::kAck, 0x12}, kNoReply, kNoReply, kNoReply},
    {"truncated crc", {protocol::kAck, 0x12, 0x34, 0x56}, kOk, kNoReply, kOk},
    {"wrong crc", {protocol::kAck, 0x12, 0x34, 0x56, 0x78}, kOk, kTirrelCrcError, kOk},
    {"long", Bytes(5000, protocol::kAck), kOk, kTirrelCrcError, kOk},
};

TEST(LinkFaults, BadRepliesGiveTheStatedCodesWithinTheTimeouts)
{
    // Classic: two attempts of drain + 3 s acknowledgement; Tirrel E: RRD-free,
    // one attempt, up to 4 bytes of 3 s each.
    constexpr std::int64_t kLimitMs = 2 * (500 + 3000) + 4 * 3000;
    for (const BadReply& bad : kBadReplies) {
        for (Engine engine : {Engine::TirrelD, Engine::TirrelE, Engine::Classic}) {
            SCOPED_TRACE(bad.what);
            SCOPED_TRACE(static_cast<int>(engine));
            EngineRig r(engine);
            r.station.setHandler([&](const StationCommand&, sim::LineOutput& out) {
                out.send(bad.reply);
                return true;
            });
            const int expected = engine == Engine::TirrelD   ? bad.tirrelD
                                 : engine == Engine::TirrelE ? bad.tirrelE
                                                             : bad.classic;
            EXPECT_EQ(r.link->readStation({1, 52, 4}), expected);
            EXPECT_LE(r.rig.now(), kLimitMs);
            // The next command starts from a drained line and succeeds.
            r.station.setHandler({});
            EXPECT_GE(r.link->sendCommand(protocol::kEndTimedWrite), 0);
        }
    }
}

TEST(LinkFaults, RandomLineNoiseNeverHangsOrCrashes)
{
    const std::set<int> codes{
        kOk,          kDone,          kNoReply,      kClassicCrcError, kDumpRefused,
        kStationBang, kStationCancel, kStationOther, kTirrelCrcError};
    std::mt19937 random(20261207);
    for (int round = 0; round < 60; ++round) {
        for (Engine engine : {Engine::TirrelD, Engine::TirrelE, Engine::Classic}) {
            EngineRig r(engine);
            r.station.setHandler([&](const StationCommand&, sim::LineOutput& out) {
                Bytes noise(random() % 40);
                for (std::uint8_t& b : noise)
                    b = static_cast<std::uint8_t>(random() % 4 == 0 ? protocol::kAck : random());
                out.send(noise, static_cast<int>(random() % 4000));
                return true;
            });
            const std::function<int()> operations[] = {
                [&] {
                    return r.link->readStation({1, 52, 4});
                },
                [&] {
                    return r.link->readLogger({1, 0, 7});
                },
                [&] {
                    return r.link->writeStation({1, 148, 4}, 0x1230);
                },
                [&] { return r.link->sendStatusRead(); },
                [&] { return r.link->sendDump(); },
                [&] { return r.link->runTimedWrite([] { return kOk; }); },
            };
            for (const auto& operation : operations) {
                const std::int64_t start = r.rig.now();
                const int result = operation();
                EXPECT_TRUE(codes.contains(result)) << result;
                // Three commands (the bracket) with drains, acknowledgements,
                // RRD retries and CRC-checked data stay within a minute.
                EXPECT_LE(r.rig.now() - start, 60000);
                EXPECT_LE(r.link->reply().size(), 4u);
            }
        }
    }
}

} // namespace
} // namespace bv::station::testing
