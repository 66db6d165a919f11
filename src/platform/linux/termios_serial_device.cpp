#include "platform/linux/termios_serial_device.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <ctime>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "platform/event_loop.h"

namespace bv::platform {

namespace {

constexpr std::uint8_t kMark = 0xFF;      // PARMRK: 0xFF 0x00 c marks a bad byte c,
constexpr std::uint8_t kMarkError = 0x00; // 0xFF 0xFF is a data byte 0xFF
constexpr std::size_t kReadChunk = 256;

// Microseconds, so that a wait is never cut short by the rounding of its start.
std::int64_t nowUs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

speed_t speedFor(int baud)
{
    struct Rate {
        int baud;
        speed_t speed;
    };
    static constexpr std::array<Rate, 15> kRates{{{110, B110},
                                                  {150, B150},
                                                  {300, B300},
                                                  {600, B600},
                                                  {1200, B1200},
                                                  {1800, B1800},
                                                  {2400, B2400},
                                                  {4800, B4800},
                                                  {9600, B9600},
                                                  {19200, B19200},
                                                  {38400, B38400},
                                                  {57600, B57600},
                                                  {115200, B115200},
                                                  {230400, B230400},
                                                  {460800, B460800}}};
    for (const Rate& rate : kRates)
        if (rate.baud == baud)
            return rate.speed;
    return B0;
}

tcflag_t sizeFlag(int dataBits)
{
    switch (dataBits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

int applySettings(int fd, const LineSettings& settings)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return errno;
    cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    t.c_cflag |= CREAD | CLOCAL | HUPCL | sizeFlag(settings.dataBits);
    if (settings.parity != Parity::None) {
        t.c_cflag |= PARENB;
        if (settings.parity == Parity::Odd)
            t.c_cflag |= PARODD;
        t.c_iflag |= INPCK;
    }
    if (settings.stopBits == 2)
        t.c_cflag |= CSTOPB;
    if (settings.rtsCtsHandshake)
        t.c_cflag |= CRTSCTS;
    // Mark bad bytes instead of passing them as data.
    t.c_iflag &= ~static_cast<tcflag_t>(IGNPAR | ISTRIP);
    t.c_iflag |= PARMRK;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    const speed_t speed = speedFor(settings.baud);
    if (cfsetispeed(&t, speed) != 0 || cfsetospeed(&t, speed) != 0)
        return errno;
    if (tcsetattr(fd, TCSANOW, &t) != 0)
        return errno;
    tcflush(fd, TCIOFLUSH);
    // Pseudo-terminals have no modem lines; a refusal there is harmless.
    int dtr = TIOCM_DTR;
    ioctl(fd, TIOCMBIS, &dtr);
    return 0;
}

void releaseFd(int fd)
{
    ioctl(fd, TIOCNXCL);
    ::close(fd);
}

} // namespace

TermiosSerialDevice::TermiosSerialDevice(EventLoop& loop) : loop_(loop) {}

TermiosSerialDevice::~TermiosSerialDevice()
{
    if (fd_ >= 0)
        close();
}

int TermiosSerialDevice::open(const std::string& path, const LineSettings& settings)
{
    if (fd_ >= 0)
        return EBUSY;
    if (speedFor(settings.baud) == B0 || settings.dataBits < 5 || settings.dataBits > 8 ||
        settings.stopBits < 1 || settings.stopBits > 2)
        return EINVAL;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return error;
    }
    if (ioctl(fd, TIOCEXCL) != 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    if (const int error = applySettings(fd, settings); error != 0) {
        releaseFd(fd);
        return error;
    }
    fd_ = fd;
    input_.clear();
    return 0;
}

int TermiosSerialDevice::close()
{
    if (fd_ < 0)
        return EBADF;
    ioctl(fd_, TIOCNXCL);
    const int result = ::close(fd_);
    const int error = result == 0 ? 0 : errno;
    fd_ = -1;
    input_.clear();
    return error;
}

bool TermiosSerialDevice::takeMarkedByte(std::deque<std::uint8_t>& input, ReadResult& result)
{
    if (input.empty())
        return false;
    if (input[0] != kMark) {
        result = {ReadStatus::Byte, input.front(), 0};
        input.pop_front();
        return true;
    }
    if (input.size() < 2)
        return false; // the rest of the mark is still in the driver
    if (input[1] == kMarkError) {
        if (input.size() < 3)
            return false;
        input.erase(input.begin(), input.begin() + 3);
        result = {ReadStatus::LineError, 0, 0};
        return true;
    }
    // 0xFF 0xFF is one data byte 0xFF; 0xFF before anything else is taken as data.
    input.pop_front();
    if (input.front() == kMark)
        input.pop_front();
    result = {ReadStatus::Byte, kMark, 0};
    return true;
}

int TermiosSerialDevice::fillInput()
{
    std::array<std::uint8_t, kReadChunk> chunk{};
    const ssize_t n = ::read(fd_, chunk.data(), chunk.size());
    if (n > 0) {
        input_.insert(input_.end(), chunk.begin(), chunk.begin() + n);
        return 0;
    }
    if (n == 0)
        return EIO; // hang-up
    return errno == EAGAIN || errno == EINTR ? 0 : errno;
}

ReadResult TermiosSerialDevice::readByte(int timeoutMs)
{
    const std::int64_t deadline = nowUs() + std::int64_t{timeoutMs > 0 ? timeoutMs : 0} * 1000;
    for (;;) {
        if (fd_ < 0)
            return {ReadStatus::Failed, 0, EBADF};
        ReadResult result;
        if (takeMarkedByte(input_, result))
            return result;
        const std::int64_t remainingUs = deadline - nowUs();
        const std::int64_t remainingMs = (std::max<std::int64_t>(remainingUs, 0) + 999) / 1000;
        pollfd watch{fd_, POLLIN, 0};
        const int ready =
            poll(&watch, 1, static_cast<int>(std::min<std::int64_t>(kSliceMs, remainingMs)));
        if (ready < 0 && errno != EINTR)
            return {ReadStatus::Failed, 0, errno};
        if (ready > 0) {
            if ((watch.revents & POLLIN) != 0) {
                if (const int error = fillInput(); error != 0)
                    return {ReadStatus::Failed, 0, error};
                continue;
            }
            return {ReadStatus::Failed, 0, EIO}; // POLLHUP, POLLERR or POLLNVAL alone
        }
        if (remainingUs <= 0)
            return {ReadStatus::Timeout, 0, 0};
        loop_.pump();
    }
}

int TermiosSerialDevice::write(const std::uint8_t* data, std::size_t size)
{
    if (fd_ < 0)
        return EBADF;
    std::size_t sent = 0;
    std::int64_t lastProgress = nowUs();
    while (sent < size) {
        const ssize_t n = ::write(fd_, data + sent, size - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            lastProgress = nowUs();
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return errno;
        if (nowUs() - lastProgress >= std::int64_t{kWriteStallMs} * 1000)
            return ETIMEDOUT;
        pollfd watch{fd_, POLLOUT, 0};
        poll(&watch, 1, kSliceMs);
    }
    return 0;
}

} // namespace bv::platform
