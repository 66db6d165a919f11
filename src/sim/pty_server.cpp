#include "sim/pty_server.h"

#include <fcntl.h>
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

struct Rate {
    int baud;
    speed_t speed;
};
constexpr std::array<Rate, 6> kRates{{
    {300, B300},
    {1200, B1200},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
}};

speed_t speedFor(int baud)
{
    for (const Rate& rate : kRates)
        if (rate.baud == baud)
            return rate.speed;
    return B2400;
}

// A rate outside the table counts as 0: no station understands it.
int baudOf(speed_t speed)
{
    for (const Rate& rate : kRates)
        if (rate.speed == speed)
            return rate.baud;
    return 0;
}

int dataBitsOf(tcflag_t cflag)
{
    switch (cflag & CSIZE) {
    case CS5:
        return 5;
    case CS6:
        return 6;
    case CS7:
        return 7;
    default:
        return 8;
    }
}

platform::Parity parityOf(tcflag_t cflag)
{
    if ((cflag & PARENB) == 0)
        return platform::Parity::None;
    return (cflag & PARODD) != 0 ? platform::Parity::Odd : platform::Parity::Even;
}

} // namespace

PtyServer::PtyServer(platform::PollEventLoop& loop, const platform::Clock& clock, LinePeer& peer,
                     const PtyOptions& options)
    : loop_(loop), clock_(clock), peer_(peer), options_(options)
{
}

PtyServer::~PtyServer()
{
    loop_.stopTimer(heard_.timer);
    loop_.stopTimer(sent_.timer);
    loop_.unwatchFd(watch_);
    if (slaveHold_ >= 0)
        ::close(slaveHold_);
    if (master_ >= 0)
        ::close(master_);
}

void PtyServer::hangUp()
{
    loop_.stopTimer(heard_.timer);
    loop_.stopTimer(sent_.timer);
    loop_.unwatchFd(watch_);
    heard_ = {};
    sent_ = {};
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
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
    watch_ =
        loop_.watchFd(master_, platform::FdReadable, [this](platform::FdEvents) { onReadable(); });
    line_ = slaveSettings();
    peer_.onOpen(line_);
    return 0;
}

platform::LineSettings PtyServer::slaveSettings() const
{
    termios tio{};
    if (::tcgetattr(slaveHold_, &tio) != 0)
        return line_;
    platform::LineSettings settings;
    settings.baud = baudOf(::cfgetospeed(&tio));
    settings.dataBits = dataBitsOf(tio.c_cflag);
    settings.parity = parityOf(tio.c_cflag);
    settings.stopBits = (tio.c_cflag & CSTOPB) != 0 ? 2 : 1;
    settings.rtsCtsHandshake = (tio.c_cflag & CRTSCTS) != 0;
    return settings;
}

std::int64_t PtyServer::nowMs() const
{
    return clock_.monotonicMs() - startMs_;
}

std::int64_t PtyServer::nowUs() const
{
    return nowMs() * kUsPerMs;
}

std::int64_t PtyServer::byteUs() const
{
    return options_.baudPacing ? kBitsPerCharacter * kUsPerSecond / options_.baud : 0;
}

void PtyServer::queueBytes(Direction& direction, std::int64_t startUs,
                           std::span<const std::uint8_t> bytes) const
{
    // One character after another: each is due when its stop bit is through.
    std::int64_t due = std::max(startUs, direction.lastDueUs);
    for (std::uint8_t b : bytes) {
        due += byteUs();
        direction.queue.push_back({due, b});
    }
    direction.lastDueUs = due;
}

std::vector<std::uint8_t> PtyServer::dueBytes(const Direction& direction) const
{
    const std::int64_t now = nowUs();
    std::vector<std::uint8_t> due;
    for (const TimedByte& b : direction.queue) {
        if (b.dueUs > now)
            break;
        due.push_back(b.value);
    }
    return due;
}

void PtyServer::schedule(Direction& direction, void (PtyServer::*deliver)())
{
    loop_.stopTimer(direction.timer);
    direction.timer = 0;
    if (direction.queue.empty())
        return;
    const std::int64_t waitUs = direction.queue.front().dueUs - nowUs();
    const int waitMs =
        waitUs <= 0 ? kRetryMs : static_cast<int>((waitUs + kUsPerMs - 1) / kUsPerMs);
    direction.timer = loop_.startTimer(waitMs, [this, deliver] { (this->*deliver)(); });
}

void PtyServer::onReadable()
{
    std::array<std::uint8_t, kReadChunk> buffer{};
    const ssize_t n = ::read(master_, buffer.data(), buffer.size());
    // EIO while no program holds the slave, EAGAIN after a spurious wake-up.
    if (n <= 0)
        return;
    // The program set the line before it wrote; a peer hears only what its
    // settings let it, so it learns of every change.
    const platform::LineSettings settings = slaveSettings();
    if (settings.baud != line_.baud || settings.dataBits != line_.dataBits ||
        settings.parity != line_.parity || settings.stopBits != line_.stopBits) {
        line_ = settings;
        peer_.onOpen(line_);
    }
    queueBytes(heard_, nowUs(), std::span(buffer.data(), static_cast<std::size_t>(n)));
    hearDue();
}

void PtyServer::hearDue()
{
    const std::vector<std::uint8_t> due = dueBytes(heard_);
    heard_.queue.erase(heard_.queue.begin(),
                       heard_.queue.begin() + static_cast<std::ptrdiff_t>(due.size()));
    schedule(heard_, &PtyServer::hearDue);
    if (!due.empty())
        peer_.onBytes(due, *this);
}

void PtyServer::send(std::span<const std::uint8_t> bytes, int delayMs)
{
    if (master_ < 0)
        return; // hung up
    queueBytes(sent_, nowUs() + delayMs * kUsPerMs, bytes);
    deliverDue();
}

void PtyServer::deliverDue()
{
    const std::vector<std::uint8_t> due = dueBytes(sent_);
    if (!due.empty()) {
        const ssize_t written = ::write(master_, due.data(), due.size());
        if (written > 0)
            sent_.queue.erase(sent_.queue.begin(), sent_.queue.begin() + written);
    }
    schedule(sent_, &PtyServer::deliverDue);
}

} // namespace bv::sim
