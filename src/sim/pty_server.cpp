#include "sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <vector>

namespace bv::sim {

namespace {

constexpr std::int64_t kUsPerMs = 1000;
constexpr std::int64_t kUsPerSecond = 1'000'000;
constexpr int kBitsPerCharacter = 10; // start bit, 8 data bits, stop bit
constexpr int kRetryMs = 10;          // the program is not reading: try again soon
constexpr std::size_t kReadChunk = 512;

speed_t speedFor(int baud)
{
    switch (baud) {
    case 300:
        return B300;
    case 1200:
        return B1200;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    default:
        return B2400;
    }
}

} // namespace

PtyServer::PtyServer(platform::PollEventLoop& loop, const platform::Clock& clock, LinePeer& peer,
                     const PtyOptions& options)
    : loop_(loop), clock_(clock), peer_(peer), options_(options)
{
}

PtyServer::~PtyServer()
{
    loop_.stopTimer(timer_);
    loop_.unwatchFd(watch_);
    if (slaveHold_ >= 0)
        ::close(slaveHold_);
    if (master_ >= 0)
        ::close(master_);
}

int PtyServer::open()
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0)
        return errno;
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return errno;
    std::array<char, 128> name{};
    if (::ptsname_r(master_, name.data(), name.size()) != 0)
        return errno;
    slavePath_ = name.data();
    slaveHold_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slaveHold_ < 0)
        return errno;
    termios tio{};
    if (::tcgetattr(slaveHold_, &tio) != 0)
        return errno;
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, speedFor(options_.baud));
    ::cfsetospeed(&tio, speedFor(options_.baud));
    if (::tcsetattr(slaveHold_, TCSANOW, &tio) != 0)
        return errno;

    startMs_ = clock_.monotonicMs();
    watch_ = loop_.watchFd(master_, POLLIN, [this](short) { onReadable(); });
    platform::LineSettings settings;
    settings.baud = options_.baud;
    peer_.onOpen(settings);
    return 0;
}

std::int64_t PtyServer::nowMs() const
{
    return clock_.monotonicMs() - startMs_;
}

std::int64_t PtyServer::nowUs() const
{
    return nowMs() * kUsPerMs;
}

void PtyServer::onReadable()
{
    std::array<std::uint8_t, kReadChunk> buffer{};
    const ssize_t n = ::read(master_, buffer.data(), buffer.size());
    // EIO while no program holds the slave, EAGAIN after a spurious wake-up.
    if (n > 0)
        peer_.onBytes(std::span(buffer.data(), static_cast<std::size_t>(n)), *this);
}

void PtyServer::send(std::span<const std::uint8_t> bytes, int delayMs)
{
    const std::int64_t byteUs =
        options_.baudPacing ? kBitsPerCharacter * kUsPerSecond / options_.baud : 0;
    std::int64_t due = std::max(nowUs() + delayMs * kUsPerMs, lastDueUs_);
    for (std::uint8_t b : bytes) {
        due = std::max(due, lastDueUs_ + byteUs);
        queue_.push_back({due, b});
        lastDueUs_ = due;
    }
    deliverDue();
}

void PtyServer::deliverDue()
{
    const std::int64_t now = nowUs();
    std::vector<std::uint8_t> due;
    for (const TimedByte& b : queue_) {
        if (b.dueUs > now)
            break;
        due.push_back(b.value);
    }
    if (!due.empty()) {
        const ssize_t written = ::write(master_, due.data(), due.size());
        if (written > 0)
            queue_.erase(queue_.begin(), queue_.begin() + written);
    }
    scheduleDelivery();
}

void PtyServer::scheduleDelivery()
{
    loop_.stopTimer(timer_);
    timer_ = 0;
    if (queue_.empty())
        return;
    const std::int64_t waitUs = queue_.front().dueUs - nowUs();
    const int waitMs =
        waitUs <= 0 ? kRetryMs : static_cast<int>((waitUs + kUsPerMs - 1) / kUsPerMs);
    timer_ = loop_.startTimer(waitMs, [this] { deliverDue(); });
}

} // namespace bv::sim
