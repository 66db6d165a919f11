#include <gtest/gtest.h>

#include <sstream>

#include "link_rig.h"
#include "station/classic_link.h"
#include "station/protocol_bytes.h"
#include "station/protocol_trace.h"
#include "station/result_codes.h"
#include "station_peer.h"

namespace bv::station::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Kind = TraceEvent::Kind;

// Plays a captured trace back: once the program has written the bytes of a
// "sent" event, the "received" events that follow it are sent, keeping their
// distance in time from it.
class TraceReplayPeer : public sim::LinePeer {
  public:
    explicit TraceReplayPeer(std::vector<TraceEvent> events) : events_(std::move(events)) {}

    void onBytes(std::span<const std::uint8_t> bytes, sim::LineOutput& out) override
    {
        pending_.insert(pending_.end(), bytes.begin(), bytes.end());
        while (next_ < events_.size()) {
            const TraceEvent& event = events_[next_];
            if (event.kind != Kind::Sent) {
                ++next_;
                continue;
            }
            if (pending_.size() < event.bytes.size())
                return;
            mismatches += !std::equal(event.bytes.begin(), event.bytes.end(), pending_.begin());
            pending_.erase(pending_.begin(),
                           pending_.begin() + static_cast<long>(event.bytes.size()));
            for (++next_; next_ < events_.size() && events_[next_].kind != Kind::Sent; ++next_)
                if (events_[next_].kind == Kind::Received)
                    out.send(events_[next_].bytes, static_cast<int>(events_[next_].ms - event.ms));
        }
    }
    int mismatches = 0;

  private:
    std::vector<TraceEvent> events_;
    std::size_t next_ = 0;
    Bytes pending_;
};

TEST(ProtocolTrace, WritesOneLinePerEvent)
{
    testsupport::LambdaPeer peer([](auto, sim::LineOutput& out) {
        out.send(Bytes{protocol::kAck, 0x12, 0xAB});
    });
    LinkRig rig(peer);
    std::ostringstream log;
    ProtocolTrace trace(log, rig.time);
    PortServices services = rig.services();
    services.makeDevice = tracedDeviceFactory(rig.wire.factory(), trace);
    ClassicPort port(services);

    ASSERT_EQ(port.open(4, 1200), PortResult::Done);
    rig.time.advance(10);
    port.writeText("AB");
    port.readCount(4);
    rig.wire.injectLineError();
    port.readByte();
    port.close();
    trace.flush();
    EXPECT_EQ(log.str(), "0 open COM4 1200 8N1 rtscts\n"
                         "10 > 41 42\n"
                         "10 < 06 12 AB\n"
                         "510 timeout\n"
                         "510 line-error\n"
                         "510 close\n");
}

TEST(ProtocolTrace, ParsesEventsAndSkipsWhatIsNotOne)
{
    std::istringstream text("# captured at the station\n"
                            "100 open /dev/ttyS0 2400 8N1\n"
                            "105 > 57 52 44 0D\n"
                            "\n"
                            "110 < 06 ff\n"
                            "111 < 0G\n"
                            "112 frobnicate\n"
                            "3110 timeout\n"
                            "3111 read-failed 5\n"
                            "3200 close\n");
    const std::vector<TraceEvent> events = parseProtocolTrace(text);
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[1].kind, Kind::Sent);
    EXPECT_EQ(events[1].bytes, (Bytes{0x57, 0x52, 0x44, 0x0D}));
    EXPECT_EQ(events[2].kind, Kind::Received);
    EXPECT_EQ(events[2].ms, 110);
    EXPECT_EQ(events[2].bytes, (Bytes{0x06, 0xFF}));
    EXPECT_EQ(events[3].kind, Kind::Timeout);
    EXPECT_EQ(events[4].kind, Kind::ReadFailed);
    EXPECT_EQ(events[5].kind, Kind::Close);
}

TEST(ProtocolTrace, CapturedExchangeReplaysAsAFixture)
{
    const auto readThreeValues = [](ClassicLink& link) {
        std::vector<std::uint32_t> values;
        for (int address : {52, 56, 90}) {
            std::uint32_t value = 0;
            EXPECT_EQ(link.readStation({1, address, 4}, value), kOk);
            values.push_back(value);
        }
        return values;
    };

    std::ostringstream log;
    std::vector<std::uint32_t> recorded;
    {
        StationPeer station(false, false);
        station.setStationNibbles(1, 52, 4, 0x0321);
        station.setStationNibbles(1, 56, 4, 0x02BC);
        station.setStationNibbles(1, 90, 4, 0x7FFF);
        LinkRig rig(station);
        rig.wire.setLineRate(true);
        ProtocolTrace trace(log, rig.time);
        PortServices services = rig.services();
        services.makeDevice = tracedDeviceFactory(rig.wire.factory(), trace);
        ClassicPort port(services);
        ASSERT_EQ(port.open(1, 2400), PortResult::Done);
        ClassicLink link(port);
        recorded = readThreeValues(link);
        port.close();
    }

    std::istringstream captured(log.str());
    TraceReplayPeer replay(parseProtocolTrace(captured));
    LinkRig rig(replay);
    ASSERT_EQ(rig.classicPort.open(1, 2400), PortResult::Done);
    ClassicLink link(rig.classicPort);
    EXPECT_EQ(readThreeValues(link), recorded);
    EXPECT_EQ(recorded, (std::vector<std::uint32_t>{0x0321, 0x02BC, 0x7FFF}));
    EXPECT_EQ(replay.mismatches, 0);
}

} // namespace
} // namespace bv::station::testing
