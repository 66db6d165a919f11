#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "platform/headless/poll_event_loop.h"
#include "platform/linux/system_clock.h"
#include "sim/port_link.h"
#include "sim/pty_server.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"
#include "station/classic_link.h"
#include "station/crc16.h"
#include "station/port_services.h"
#include "station/protocol_bytes.h"
#include "station/protocol_trace.h"
#include "station/result_codes.h"
#include "station/station_models.h"
#include "station/tirrel_link.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

// Real time: the programs' port services (termios devices on the station
// directory's ports/COMn) against the station simulator served on a
// pseudo-terminal in the same event loop, one model of each family. Every
// command starts with a 500 ms drain, so each case takes some seconds; the
// time bounds are lower bounds only, as the machine may be busy.
namespace bv::station {
namespace {

constexpr int kPort = 2;
constexpr int kBaud = 2400;

class LinkOnPseudoTerminal : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override
    {
        sim::StationConfig config;
        config.model = *sim::findSimulatedModel(GetParam());
        simulator = std::make_unique<sim::StationSimulator>(config);
        server = std::make_unique<sim::PtyServer>(loop, clock, *simulator, sim::PtyOptions{kBaud});
        ASSERT_EQ(server->open(), 0);
        ASSERT_FALSE(sim::linkPort(dir.path(), kPort, server->slavePath()));

        model = findStationModel(config.model.modelCode);
        const PortServices services = systemPortServices(loop, clock, ui, dir.path(), &trace);
        if (model->family == StationFamily::Tirrel) {
            auto tirrel = std::make_unique<TirrelPort>(services);
            ASSERT_EQ(tirrel->open(kPort, kBaud, model->letter), PortResult::Done);
            link = std::make_unique<TirrelLink>(*tirrel);
            port = std::move(tirrel);
        } else {
            auto classic = std::make_unique<ClassicPort>(services);
            ASSERT_EQ(classic->open(kPort, kBaud), PortResult::Done);
            link = std::make_unique<ClassicLink>(*classic);
            port = std::move(classic);
        }
    }

    testsupport::TempDir dir{"bv-pty-link"};
    platform::PollEventLoop loop;
    platform::SystemClock clock;
    testsupport::ScriptedUi ui;
    std::ostringstream traceText;
    ProtocolTrace trace{traceText, clock};
    std::unique_ptr<sim::StationSimulator> simulator;
    std::unique_ptr<sim::PtyServer> server;
    const StationModel* model = nullptr;
    std::unique_ptr<SerialPort> port;
    std::unique_ptr<StationLink> link;
};

TEST_P(LinkOnPseudoTerminal, LoopReadWriteAndSilence)
{
    // "LOOP": one packet whose CRC holds.
    EXPECT_EQ(link->sendLoop(), model->protocol.ackResult);
    ASSERT_EQ(link->readPacket(static_cast<std::size_t>(model->protocol.loopPacketSize)), kOk);
    EXPECT_EQ(crc16(link->reply().subspan(1)), 0);
    if (model->family == StationFamily::Tirrel) {
        EXPECT_EQ(link->reply()[0], protocol::kStartOfHeader);
    }

    // "WRD": the model number the station keeps.
    std::uint32_t value = 0;
    ASSERT_EQ(link->readStation(model->memory.modelNumber, value), kOk);
    EXPECT_EQ(value, static_cast<std::uint32_t>(model->detectedNumber));

    // "WWR", read back over the line and seen in the station's memory.
    const MemoryLocation tips{1, model->memory.rainTipsAddress, 4};
    EXPECT_EQ(link->writeStation(tips, 127), model->protocol.ackResult);
    ASSERT_EQ(link->readStation(tips, value), kOk);
    EXPECT_EQ(value, 127u);
    EXPECT_EQ(simulator->station().stationMemory().value({1, tips.address, 4}), 127u);

    // A silent station: no acknowledgement within the 3 s byte time-out (sent
    // twice by the classic engine), -1 with a time-out as the port's last error.
    simulator->faults().add(sim::FaultRule(sim::FaultKind::Silence).always());
    const std::int64_t silentFrom = clock.monotonicMs();
    EXPECT_EQ(link->readStation(model->memory.modelNumber), kNoReply);
    EXPECT_EQ(port->lastError(), PortError::Timeout);
    EXPECT_GE(clock.monotonicMs() - silentFrom,
              model->protocol.commandAttempts * SerialPort::kByteTimeoutMs);

    EXPECT_EQ(port->close(), PortResult::Done);
    trace.flush();
    const std::string path = sim::portLinkPath(dir.path(), kPort).string();
    const std::string line =
        model->family == StationFamily::Tirrel ? " 2400 8N1\n" : " 2400 8N1 rtscts\n";
    EXPECT_NE(traceText.str().find(" open " + path + line), std::string::npos) << traceText.str();
    EXPECT_NE(traceText.str().find(" > 57 57 52"), std::string::npos) << "WWR went out";
    EXPECT_NE(traceText.str().find(" timeout\n"), std::string::npos);
    EXPECT_TRUE(traceText.str().ends_with(" close\n"));
}

INSTANTIATE_TEST_SUITE_P(OneModelOfEachFamily, LinkOnPseudoTerminal,
                         ::testing::Values("Tirrel E", "Carrow III"), [](const auto& param) {
                             std::string name = param.param;
                             std::erase(name, ' ');
                             return name;
                         });

} // namespace
} // namespace bv::station
