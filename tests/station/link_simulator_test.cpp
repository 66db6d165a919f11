#include <gtest/gtest.h>

#include "link_rig.h"
#include "station/crc16.h"
#include "station/protocol_bytes.h"
#include "station/result_codes.h"

// Both engines against the station simulator, for every model.
namespace bv::station::testing {
namespace {

TEST(LinkWithSimulator, EveryModelAnswersItsEngine)
{
    for (const StationModel& model : stationModels()) {
        SCOPED_TRACE(model.name);
        SimulatorRig s(model);
        StationLink& link = *s.link;

        std::uint32_t value = 0;
        ASSERT_EQ(link.readStation(model.memory.modelNumber, value), kOk);
        EXPECT_EQ(value, static_cast<std::uint32_t>(model.detectedNumber));

        ASSERT_EQ(link.readLogger(model.archive.archivePeriod, value), kOk);
        EXPECT_EQ(value, 10u);

        const MemoryLocation tips{1, model.memory.rainTipsAddress, 4};
        EXPECT_GE(link.writeStation(tips, 127), 0);
        ASSERT_EQ(link.readStation(tips, value), kOk);
        EXPECT_EQ(value, 127u);

        EXPECT_EQ(link.sendStatusRead(), kOk);

        EXPECT_EQ(link.sendLoop(), model.protocol.ackResult);
        const auto size = static_cast<std::size_t>(model.protocol.loopPacketSize);
        ASSERT_EQ(link.readPacket(size), kOk);
        EXPECT_EQ(crc16(link.reply().subspan(1)), 0);
        if (model.family == StationFamily::Tirrel) {
            EXPECT_EQ(link.reply()[0], protocol::kStartOfHeader);
        }

        EXPECT_GE(
            link.runTimedWrite([&] { return link.writeStation(model.memory.clockTime, 0x1437); }),
            0);
        EXPECT_EQ(s.simulator.refusedFrames(), 0);
    }
}

TEST(LinkWithSimulator, RecoversFromTheSimulatorsFaults)
{
    struct Case {
        sim::FaultKind kind;
        const char* command;
        int classic;
        int tirrelE;
    };
    const Case cases[] = {
        // Classic sends again after a missing or refused acknowledgement.
        {sim::FaultKind::Silence, "WRD", kOk, kNoReply},
        {sim::FaultKind::Nak, "WRD", kOk, kStationBang},
        // Tirrel E sends RRD again after a CRC error; WRD it does not.
        {sim::FaultKind::CorruptCrc, "RRD", kOk, kOk},
        {sim::FaultKind::CorruptCrc, "WRD", kOk, kTirrelCrcError},
        {sim::FaultKind::DropBytes, "WRD", kNoReply, kNoReply},
    };
    for (const Case& c : cases) {
        for (int code : {1, 5}) {
            SCOPED_TRACE(c.command);
            SCOPED_TRACE(code);
            const StationModel& model = *findStationModel(code);
            SimulatorRig s(model);
            s.simulator.faults().add(sim::FaultRule(c.kind).on(c.command));
            const MemoryLocation at = std::string_view(c.command) == "RRD"
                                          ? model.archive.archivePeriod
                                          : model.memory.clockTime;
            const int result = std::string_view(c.command) == "RRD" ? s.link->readLogger(at)
                                                                    : s.link->readStation(at);
            EXPECT_EQ(result, model.family == StationFamily::Tirrel ? c.tirrelE : c.classic);
            EXPECT_LE(s.rig.now(), 2 * (500 + 3000) + 3000);
        }
    }
}

} // namespace
} // namespace bv::station::testing
