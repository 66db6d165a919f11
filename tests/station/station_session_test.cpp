#include <gtest/gtest.h>

#include "loop_packets.h"
#include "poll_rig.h"
#include "station/result_codes.h"
#include "station/station_memory_values.h"

namespace bv::station {
namespace {

using testing::PollRig;

constexpr std::string_view kPortBusyText =
    "The station port is busy with another operation. Try again later.";

// Reads the station's model number over the open port.
int readModelNumber(StationLink& link)
{
    std::uint32_t number = 0;
    const int read = link.readStation(link.model().memory.modelNumber, number);
    return read < 0 ? read : static_cast<int>(number);
}

TEST(StationSession, OperationRunsOnTheModelsPortAndClosesIt)
{
    // The engine of the model's family; a Tirrel's port carries the model letter.
    struct Case {
        int modelCode;
        StationFamily family;
        char letter;
    };
    for (const Case c :
         {Case{0, StationFamily::Classic, '\0'}, Case{3, StationFamily::Classic, '\0'},
          Case{4, StationFamily::Tirrel, 'D'}, Case{5, StationFamily::Tirrel, 'E'}}) {
        SCOPED_TRACE(c.modelCode);
        PollRig rig(c.modelCode);
        rig.config.stationComPort = 3;
        rig.session.configure(stationSettingsFrom(rig.config));
        const StationModel* engine = nullptr;
        const int result = rig.session.runOperation([&](StationLink& link) {
            engine = &link.model();
            EXPECT_TRUE(rig.session.busy());
            return readModelNumber(link);
        });
        EXPECT_EQ(result, findStationModel(c.modelCode)->detectedNumber);
        ASSERT_NE(engine, nullptr);
        EXPECT_EQ(engine->family, c.family);
        EXPECT_EQ(engine->letter, c.letter);
        EXPECT_EQ(rig.wire.path(), "COM3");
        EXPECT_FALSE(rig.wire.isOpen());
        EXPECT_FALSE(rig.session.busy());
        EXPECT_TRUE(rig.events.empty());
    }
}

TEST(StationSession, SecondActionDuringAWaitIsRefusedWithoutTouchingThePort)
{
    PollRig rig(5);
    rig.session.configure(stationSettingsFrom(rig.config));
    std::vector<int> refused;
    int opensSeen = -1;
    std::size_t writtenSeen = 0;
    // Timer 1 of the program: fires every second, also inside station waits.
    rig.time.startTimer(1000, [&] {
        if (!rig.session.busy())
            return;
        opensSeen = rig.wire.openCount();
        writtenSeen = rig.wire.written().size();
        refused.push_back(rig.session.runOperation([](StationLink&) { return kDone; }));
        refused.push_back(rig.session.pollCurrentConditions());
        refused.push_back(rig.session.close());
        EXPECT_EQ(rig.wire.openCount(), opensSeen);
        EXPECT_EQ(rig.wire.written().size(), writtenSeen);
        EXPECT_TRUE(rig.wire.isOpen());
    });
    const int result = rig.session.runOperation([](StationLink& link) {
        link.port().pause(2500); // a station wait that keeps the loop running
        return readModelNumber(link);
    });
    EXPECT_GE(result, 0) << "the first action goes on undisturbed";
    ASSERT_FALSE(refused.empty());
    for (int r : refused)
        EXPECT_EQ(r, kPortBusy);
    EXPECT_EQ(rig.statuses.front(), kPortBusyText);
    EXPECT_EQ(rig.wire.openCount(), 1);
    EXPECT_FALSE(rig.wire.isOpen());
}

TEST(StationSession, PollHoldsThePortUntilClosed)
{
    PollRig rig(0);
    rig.session.configure(stationSettingsFrom(rig.config));
    ASSERT_EQ(rig.session.pollCurrentConditions(), kDone);
    EXPECT_TRUE(rig.wire.isOpen());
    // Station memory is read over the poll's port.
    EXPECT_FALSE(isMissing(rig.session.classicMemory().read(ClassicValue::HighOutsideTemp)));
    EXPECT_EQ(rig.session.runOperation([](StationLink&) { return kDone; }), kPortBusy);
    EXPECT_EQ(rig.session.pollCurrentConditions(), kPortBusy);
    EXPECT_EQ(rig.session.close(), kDone);
    EXPECT_FALSE(rig.wire.isOpen());
    EXPECT_EQ(rig.session.runOperation([](StationLink&) { return kDone; }), kDone);
}

TEST(StationSession, FailuresBeforeTheOperationAreReported)
{
    PollRig rig(5);
    rig.config.stationModel = 9;
    rig.session.configure(stationSettingsFrom(rig.config));
    bool ran = false;
    const auto operation = [&](StationLink&) {
        ran = true;
        return kDone;
    };
    EXPECT_EQ(rig.session.runOperation(operation), kNoStationModel);
    EXPECT_EQ(rig.session.pollCurrentConditions(), kNoStationModel);
    EXPECT_EQ(rig.wire.openCount(), 0);

    rig.config.stationModel = 5;
    rig.session.configure(stationSettingsFrom(rig.config));
    rig.wire.failNextOpen(ENOENT);
    EXPECT_EQ(rig.session.runOperation(operation), kPortUnopenable);
    EXPECT_FALSE(ran);
    EXPECT_EQ(rig.events,
              (std::vector<std::string>{"No station model is selected. Check station settings.",
                                        "No station model is selected. Check station settings.",
                                        "Error in opening com port. Check station settings."}));
    EXPECT_EQ(rig.statuses, rig.events);
}

TEST(StationSession, RemoteStationIsDialledBeforeTheOperation)
{
    PollRig rig(0);
    rig.config.stationViaModem = true;
    rig.config.rotaryDial = true;
    rig.config.stationPhone = "5551234";
    rig.config.afterConnectWaitSec = 4;
    rig.session.configure(stationSettingsFrom(rig.config));
    std::int64_t startedMs = 0;
    rig.session.runOperation([&](StationLink&) {
        startedMs = rig.time.monotonicMs();
        return kDone;
    });
    EXPECT_NE(rig.wire.writtenText().find("ATDP5551234\r"), std::string::npos);
    // The simulated station answers no modem: 1 s, init 1 s + 3 s quiet,
    // 15 s, 15 rounds of 2 s + 3 s, then the 4 s wait.
    EXPECT_EQ(startedMs, 1000 + 4000 + 15000 + 15 * 5000 + 4000);
    EXPECT_EQ(rig.statuses.back(), "Dialing to remote modem. Connection Failed. Check settings.");
}

TEST(StationSession, UnitsReachTheConversionsAtOnce)
{
    PollRig rig(5);
    rig.session.configure(stationSettingsFrom(rig.config));
    rig.peer.queuePacket(testing::tirrelLoopPacket({}));
    ASSERT_EQ(rig.session.pollCurrentConditions(), kDone);
    const double fahrenheit = rig.conditions.tirrel.soilTemp;
    rig.session.close();

    units::UnitsSelection celsius;
    celsius.temperature = units::TemperatureUnit::Celsius;
    rig.session.setUnits(celsius);
    EXPECT_EQ(rig.session.reader().units().selection, celsius);
    rig.peer.queuePacket(testing::tirrelLoopPacket({}));
    ASSERT_EQ(rig.session.pollCurrentConditions(), kDone);
    EXPECT_NEAR(rig.conditions.tirrel.soilTemp, (fahrenheit - 32) * 5 / 9, 1e-3);
}

} // namespace
} // namespace bv::station
