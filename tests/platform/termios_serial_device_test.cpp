#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "platform/event_loop.h"
#include "platform/linux/termios_serial_device.h"

// Real time, on a pseudo-terminal pair: the program's side opens the slave.
namespace bv::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

class CountingLoop : public EventLoop {
  public:
    void post(std::function<void()> fn) override { posted.push_back(std::move(fn)); }
    TimerId startTimer(int, std::function<void()>) override { return 0; }
    void stopTimer(TimerId) override {}
    void pump() override
    {
        ++pumps;
        auto batch = std::move(posted);
        posted.clear();
        for (auto& fn : batch)
            fn();
    }
    void pause(int ms) override { usleep(static_cast<useconds_t>(ms) * 1000); }
    WatchId watchFd(int, FdEvents, std::function<void(FdEvents)>) override { return 0; }
    void unwatchFd(WatchId) override {}

    int pumps = 0;
    std::vector<std::function<void()>> posted;
};

class PseudoTerminal {
  public:
    PseudoTerminal()
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0)
            slave_ = ptsname(master_);
    }
    ~PseudoTerminal() { closeMaster(); }
    const std::string& slave() const { return slave_; }
    void send(const Bytes& bytes)
    {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    Bytes receive(std::size_t n, int timeoutMs = 1000)
    {
        Bytes bytes;
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (bytes.size() < n && Clock::now() < end) {
            pollfd watch{master_, POLLIN, 0};
            if (poll(&watch, 1, 20) > 0) {
                std::uint8_t buffer[64];
                const ssize_t got = ::read(master_, buffer, sizeof buffer);
                if (got > 0)
                    bytes.insert(bytes.end(), buffer, buffer + got);
            }
        }
        return bytes;
    }
    void closeMaster()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

  private:
    int master_ = -1;
    std::string slave_;
};

const LineSettings k2400{2400, 8, Parity::None, 1, false};

class TermiosSerialDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(pty.slave().empty()); }
    CountingLoop loop;
    PseudoTerminal pty;
    TermiosSerialDevice device{loop};
};

TEST_F(TermiosSerialDeviceTest, CarriesBytesBothWaysIncluding0xFF)
{
    ASSERT_EQ(device.open(pty.slave(), k2400), 0);
    const Bytes out{0x57, 0x52, 0x44, 0xFF, 0x00, 0x0D};
    ASSERT_EQ(device.write(out.data(), out.size()), 0);
    EXPECT_EQ(pty.receive(out.size()), out);

    const Bytes in{0x06, 0xFF, 0x00, 0x0A, 0x0D, 0x11, 0x13, 0x03, 0x7F, 0x80};
    pty.send(in);
    Bytes got;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const ReadResult r = device.readByte(1000);
        ASSERT_EQ(r.status, ReadStatus::Byte) << i;
        got.push_back(r.byte);
    }
    EXPECT_EQ(got, in);
    EXPECT_EQ(device.close(), 0);
}

TEST_F(TermiosSerialDeviceTest, ReadTimesOutWhilePumpingTheLoop)
{
    ASSERT_EQ(device.open(pty.slave(), LineSettings{1200, 7, Parity::Even, 1, true}), 0);
    bool ran = false;
    loop.post([&] { ran = true; });
    const auto start = Clock::now();
    const ReadResult r = device.readByte(200);
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    EXPECT_EQ(r.status, ReadStatus::Timeout);
    EXPECT_GE(waited.count(), 200);
    EXPECT_LT(waited.count(), 1500); // generous: the machine may be busy
    EXPECT_TRUE(ran);
    EXPECT_GE(loop.pumps, 2);
}

TEST_F(TermiosSerialDeviceTest, ByteArrivingDuringTheWaitEndsIt)
{
    ASSERT_EQ(device.open(pty.slave(), k2400), 0);
    loop.post([&] { pty.send({0x42}); });
    const ReadResult r = device.readByte(2000);
    EXPECT_EQ(r.status, ReadStatus::Byte);
    EXPECT_EQ(r.byte, 0x42);
}

TEST_F(TermiosSerialDeviceTest, OpenIsExclusive)
{
    ASSERT_EQ(device.open(pty.slave(), k2400), 0);
    EXPECT_EQ(device.open(pty.slave(), k2400), EBUSY);
    TermiosSerialDevice other(loop);
    EXPECT_EQ(other.open(pty.slave(), k2400), EBUSY);
    EXPECT_FALSE(other.isOpen());
    EXPECT_EQ(device.close(), 0);
    EXPECT_EQ(other.open(pty.slave(), k2400), 0);
}

TEST_F(TermiosSerialDeviceTest, RefusesWhatIsNotASerialLine)
{
    EXPECT_EQ(device.open("/nonexistent/ttyS9", k2400), ENOENT);
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("bv-not-a-tty-" + std::to_string(getpid()));
    std::ofstream(file).put('x');
    EXPECT_EQ(device.open(file.string(), k2400), ENOTTY);
    std::filesystem::remove(file);
    EXPECT_EQ(device.open(pty.slave(), LineSettings{12345, 8, Parity::None, 1, false}), EINVAL);
    EXPECT_EQ(device.open(pty.slave(), LineSettings{2400, 9, Parity::None, 1, false}), EINVAL);
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(device.close(), EBADF);
}

TEST_F(TermiosSerialDeviceTest, HangUpAndCloseDuringTheWaitFailTheRead)
{
    ASSERT_EQ(device.open(pty.slave(), k2400), 0);
    loop.post([&] { device.close(); });
    EXPECT_EQ(device.readByte(1000).status, ReadStatus::Failed);

    ASSERT_EQ(device.open(pty.slave(), k2400), 0);
    pty.closeMaster();
    const auto start = Clock::now();
    EXPECT_EQ(device.readByte(5000).status, ReadStatus::Failed);
    EXPECT_LT(Clock::now() - start,
              std::chrono::milliseconds(2500)); // at once, not at the time-out
}

TEST(TermiosMarks, MarkedInputDecodes)
{
    struct Case {
        Bytes input;
        bool taken;
        ReadStatus status;
        std::uint8_t byte;
        std::size_t left;
    };
    const Case cases[] = {
        {{0x41, 0x42}, true, ReadStatus::Byte, 0x41, 1},
        {{0xFF, 0xFF, 0x42}, true, ReadStatus::Byte, 0xFF, 1},
        {{0xFF, 0x00, 0x58, 0x42}, true, ReadStatus::LineError, 0, 1},
        {{0xFF, 0x00, 0x00}, true, ReadStatus::LineError, 0, 0}, // a break
        {{0xFF}, false, ReadStatus::Timeout, 0, 1},
        {{0xFF, 0x00}, false, ReadStatus::Timeout, 0, 2},
        {{}, false, ReadStatus::Timeout, 0, 0},
    };
    for (const Case& c : cases) {
        std::deque<std::uint8_t> input(c.input.begin(), c.input.end());
        ReadResult result;
        EXPECT_EQ(TermiosSerialDevice::takeMarkedByte(input, result), c.taken);
        EXPECT_EQ(input.size(), c.left);
        if (c.taken) {
            EXPECT_EQ(result.status, c.status);
            EXPECT_EQ(result.byte, c.byte);
        }
    }
}

} // namespace
} // namespace bv::platform
