#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <fstream>

#include "platform/headless/poll_event_loop.h"
#include "platform/linux/system_clock.h"
#include "recording_output.h"
#include "sim/port_link.h"
#include "sim/pty_server.h"
#include "sim_fixture.h"
#include "support/temp_dir.h"

namespace bv::sim {
namespace {

// The program's end of the pseudo-terminal, raw, non-blocking.
class ProgramEnd {
  public:
    // Keeps the line's rate unless given one.
    explicit ProgramEnd(const std::string& path, speed_t speed = B0)
        : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios tio{};
        ::tcgetattr(fd_, &tio);
        ::cfmakeraw(&tio);
        if (speed != B0)
            ::cfsetspeed(&tio, speed);
        ::tcsetattr(fd_, TCSANOW, &tio);
    }
    ~ProgramEnd() { ::close(fd_); }
    ProgramEnd(const ProgramEnd&) = delete;
    ProgramEnd& operator=(const ProgramEnd&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    void write(const std::vector<std::uint8_t>& bytes) const
    {
        ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Reads until count bytes came or waitMs passed, running the server's loop.
    std::vector<std::uint8_t> read(platform::PollEventLoop& loop, std::size_t count,
                                   int waitMs = 3000) const
    {
        std::vector<std::uint8_t> got;
        const platform::SystemClock clock;
        const std::int64_t deadline = clock.monotonicMs() + waitMs;
        while (got.size() < count && clock.monotonicMs() < deadline) {
            loop.pause(5);
            std::uint8_t buffer[64];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n > 0)
                got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }

  private:
    int fd_;
};

StationConfig carrowAt(int baud)
{
    StationConfig config = test::StationLine::configFor("Carrow III");
    config.baud = baud;
    return config;
}

struct Served {
    explicit Served(const PtyOptions& options)
        : station(carrowAt(options.baud)), server(loop, clock, station, options)
    {
    }
    platform::PollEventLoop loop;
    platform::SystemClock clock;
    StationSimulator station;
    PtyServer server;
};

TEST(PtyServer, AProgramOnTheSlaveTalksToTheStation)
{
    Served served(PtyOptions{});
    ASSERT_EQ(served.server.open(), 0);
    EXPECT_EQ(served.server.slavePath().rfind("/dev/pts/", 0), 0u);
    for (int session = 0; session < 2; ++session) {
        ProgramEnd program(served.server.slavePath());
        ASSERT_TRUE(program.isOpen());
        program.write(test::frameCommand("WRD", {0x12, 77}, false));
        EXPECT_EQ(program.read(served.loop, 2), (std::vector<std::uint8_t>{0x06, 0x00})) << session;
    }
}

TEST(PtyServer, TheStationAnswersOnlyAtItsOwnRate)
{
    Served served(PtyOptions{1200, false});
    ASSERT_EQ(served.server.open(), 0);
    struct Case {
        speed_t speed;
        std::size_t replyBytes;
    };
    for (const Case c : {Case{B2400, 0}, Case{B1200, 2}, Case{B9600, 0}, Case{B1200, 2}}) {
        SCOPED_TRACE(c.speed);
        ProgramEnd program(served.server.slavePath(), c.speed);
        program.write(test::frameCommand("WRD", {0x12, 77}, false));
        // An answer takes a few milliseconds; 300 ms of silence is none.
        EXPECT_EQ(program.read(served.loop, 2, 300).size(), c.replyBytes);
    }
}

TEST(PtyServer, BaudPacingHoldsRepliesToTheLineRate)
{
    Served served(PtyOptions{1200, true});
    ASSERT_EQ(served.server.open(), 0);
    ProgramEnd program(served.server.slavePath());
    const std::int64_t start = served.clock.monotonicMs();
    program.write(test::frameCommand("LOOP", {0xFF, 0xFF}, false));
    const auto reply = program.read(served.loop, 19);
    ASSERT_EQ(reply.size(), 19u);
    // The station hears the 7 characters of the command, then answers 19: 26
    // characters of 10 bits at 1200 baud take 217 ms.
    EXPECT_GE(served.clock.monotonicMs() - start, 210);
}

TEST(PortLink, LinksReplacesOldLinksAndNeverDevicesOrTheUsersLinks)
{
    const testsupport::TempDir dir("bv-sim-ports");
    const auto link = portLinkPath(dir.path(), 3);
    EXPECT_EQ(link, dir.path() / "ports" / "COM3");
    EXPECT_FALSE(linkPort(dir.path(), 3, "/dev/pts/98"));
    EXPECT_EQ(std::filesystem::read_symlink(link), "/dev/pts/98");
    EXPECT_FALSE(linkPort(dir.path(), 3, "/dev/pts/99")) << "a stale link is replaced";
    EXPECT_EQ(std::filesystem::read_symlink(link), "/dev/pts/99");

    unlinkPort(dir.path(), 3, "/dev/pts/98");
    EXPECT_TRUE(std::filesystem::is_symlink(link)) << "someone else's link stays";
    unlinkPort(dir.path(), 3, "/dev/pts/99");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));

    std::ofstream(portLinkPath(dir.path(), 4)) << "not a link";
    EXPECT_EQ(linkPort(dir.path(), 4, "/dev/pts/99"), std::make_error_code(std::errc::file_exists));
    EXPECT_TRUE(std::filesystem::is_regular_file(portLinkPath(dir.path(), 4)));

    const std::filesystem::path adapter = "/dev/serial/by-id/usb-adapter-port0";
    std::filesystem::create_symlink(adapter, portLinkPath(dir.path(), 5));
    EXPECT_EQ(linkPort(dir.path(), 5, "/dev/pts/99"), std::make_error_code(std::errc::file_exists));
    EXPECT_EQ(std::filesystem::read_symlink(portLinkPath(dir.path(), 5)), adapter);
}

} // namespace
} // namespace bv::sim
