#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "platform/headless/poll_event_loop.h"
#include "platform/linux/system_clock.h"
#include "station/classic_link.h"
#include "station/port_services.h"
#include "station/protocol_bytes.h"
#include "station/protocol_trace.h"
#include "station/result_codes.h"
#include "support/scripted_ui.h"

// Real time: a ClassicLink through the programs' port services to a
// pseudo-terminal that ports/COM2 in the station directory points to.
namespace bv::station {
namespace {

TEST(PortServices, StationDirectoryPortReachesThePseudoTerminal)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("bv-port-services-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "ports");
    std::filesystem::create_symlink(ptsname(master), dir / "ports" / "COM2");

    platform::PollEventLoop loop;
    platform::SystemClock clock;
    testsupport::ScriptedUi ui;
    std::ostringstream log;
    ProtocolTrace trace(log, clock);
    ClassicPort port(systemPortServices(loop, clock, ui, dir, &trace));
    ClassicLink link(port);
    ASSERT_EQ(port.open(2, 2400), kDone);

    // The station: acknowledge the command when it has come whole.
    std::string heard;
    loop.watchFd(master, POLLIN, [&](short) {
        char buffer[64];
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n > 0)
            heard.append(buffer, static_cast<std::size_t>(n));
        if (heard == "SAP\x0A\r") {
            const std::uint8_t ack = protocol::kAck;
            ASSERT_EQ(::write(master, &ack, 1), 1);
        }
    });
    // The first drain waits 500 ms of quiet, then the command goes out.
    EXPECT_EQ(link.sendCommand(protocol::kSetArchivePeriod, std::vector<std::uint8_t>{10}), kDone);
    EXPECT_EQ(port.close(), kDone);
    trace.flush();

    EXPECT_NE(log.str().find(" open " + (dir / "ports" / "COM2").string() + " 2400 8N1 rtscts\n"),
              std::string::npos);
    EXPECT_NE(log.str().find(" > 53 41 50\n"), std::string::npos);
    EXPECT_NE(log.str().find(" < 06\n"), std::string::npos);
    ::close(master);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace bv::station
