#include "station/serial_port.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include "platform/clock.h"
#include "platform/event_loop.h"
#include "platform/ui.h"
#include "station/result_codes.h"

namespace bv::station {

namespace {

std::string closeFailureText(int error)
{
    return "Error (" + std::to_string(static_cast<long>(error)) + ") closing com Port!";
}

} // namespace

SerialPort::SerialPort(PortServices services, PortTraits traits)
    : services_(std::move(services)), traits_(traits)
{
}

SerialPort::~SerialPort()
{
    if (open_)
        device_->close();
}

bool SerialPort::isOpen() const
{
    return open_;
}

PortResult SerialPort::openPort(int port, const platform::LineSettings& settings)
{
    if (open_)
        return PortResult::AlreadyOpen;
    try {
        reply_.assign(kReplyBufferBytes, 0);
    } catch (const std::bad_alloc&) {
        return PortResult::OutOfMemory;
    }
    if (!device_)
        device_ = services_.makeDevice();
    const int error = device_ ? device_->open(services_.devicePath(port), settings) : ENODEV;
    if (error != 0) {
        reply_ = {};
        // The device exists but will not take these line settings.
        if (error == EINVAL || error == ENOTTY)
            return PortResult::SettingsRefused;
        setLastError(PortError::OpenFailed);
        return PortResult::CannotOpen;
    }
    open_ = true;
    pushBack_ = -1;
    readTimeoutMs_ = kByteTimeoutMs;
    writeTimeoutMs_ = kByteTimeoutMs;
    return PortResult::Done;
}

PortResult SerialPort::close()
{
    if (!open_)
        return PortResult::NotOpen;
    const int error = device_->close();
    open_ = false;
    pushBack_ = -1;
    reply_ = {};
    if (error == 0)
        return PortResult::Done;
    setLastError(PortError::System, error);
    if (traits_.reportsCloseFailure) {
        platform::MessageBoxRequest box;
        box.caption = "Error";
        box.text = closeFailureText(error);
        box.icon = platform::MessageIcon::Stop;
        services_.ui.messageBox(box);
    }
    return PortResult::CloseFailed;
}

PortResult SerialPort::setTimeouts(int readPerByteMs, int writePerByteMs)
{
    if (!open_)
        return PortResult::NotOpen;
    if (readPerByteMs < 0 || writePerByteMs < 0)
        return PortResult::BadValue;
    readTimeoutMs_ = readPerByteMs;
    writeTimeoutMs_ = writePerByteMs;
    return PortResult::Done;
}

int SerialPort::failRead(const platform::ReadResult& result)
{
    switch (result.status) {
    case platform::ReadStatus::Timeout:
        setLastError(PortError::Timeout);
        break;
    case platform::ReadStatus::LineError:
        setLastError(PortError::LineError);
        break;
    case platform::ReadStatus::Failed:
    case platform::ReadStatus::Byte:
        setLastError(PortError::System, result.errorCode != 0 ? result.errorCode : EIO);
        break;
    }
    return kNoReply;
}

int SerialPort::readByteWithin(int timeoutMs)
{
    setLastError(PortError::None);
    if (pushBack_ >= 0) {
        const int byte = pushBack_;
        pushBack_ = -1;
        return byte;
    }
    if (!open_) {
        setLastError(PortError::System, EBADF);
        return kNoReply;
    }
    const platform::ReadResult result = device_->readByte(timeoutMs);
    if (result.status == platform::ReadStatus::Byte)
        return result.byte;
    return failRead(result);
}

int SerialPort::readByte()
{
    return readByteWithin(readTimeoutMs_);
}

void SerialPort::pushBack(std::uint8_t byte)
{
    pushBack_ = byte;
}

int SerialPort::storeByte(std::size_t offset, int byte)
{
    // A call run while waiting may have closed the port and freed the buffer.
    if (offset >= reply_.size()) {
        setLastError(PortError::System, EBADF);
        return kNoReply;
    }
    reply_[offset] = static_cast<std::uint8_t>(byte);
    return kOk;
}

int SerialPort::readBlock(std::size_t n)
{
    if (reserveReply(n) != kOk)
        return kNoReply;
    std::int64_t lastByteMs = services_.clock.monotonicMs();
    for (std::size_t stored = 0; stored < n;) {
        pumpMessages();
        const std::int64_t quietMs = services_.clock.monotonicMs() - lastByteMs;
        if (quietMs >= kStallLimitMs) {
            setLastError(PortError::Timeout);
            return kNoReply;
        }
        // At least 1 ms, so that a zero time-out cannot spin without the clock moving.
        const auto waitMs = static_cast<int>(
            std::min<std::int64_t>(std::max(readTimeoutMs_, 1), kStallLimitMs - quietMs));
        const int byte = readByteWithin(waitMs);
        if (byte >= 0) {
            if (storeByte(stored++, byte) != kOk)
                return kNoReply;
            lastByteMs = services_.clock.monotonicMs();
        } else if (lastError_ != PortError::Timeout) {
            // A line error or a failed read call: the block cannot come whole.
            return kNoReply;
        }
    }
    return kOk;
}

int SerialPort::readBytes(std::size_t n)
{
    if (reserveReply(n) != kOk)
        return kNoReply;
    for (std::size_t stored = 0; stored < n; ++stored) {
        pumpMessages();
        const int byte = readByte();
        if (byte < 0 || storeByte(stored, byte) != kOk)
            return kNoReply;
    }
    return kOk;
}

std::string SerialPort::readLine()
{
    std::string text;
    while (text.size() < kMaxLineLength) {
        const int byte = readByte();
        if (byte < 0)
            break;
        text.push_back(static_cast<char>(byte));
    }
    return text;
}

int SerialPort::drain()
{
    pushBack_ = -1;
    const std::int64_t startMs = services_.clock.monotonicMs();
    while (readCount(1) == kOk && services_.clock.monotonicMs() - startMs < kDrainLimitMs) {
    }
    return kOk;
}

int SerialPort::readCount(int n)
{
    const int savedRead = readTimeoutMs_;
    const int savedWrite = writeTimeoutMs_;
    readTimeoutMs_ = kDrainTimeoutMs;
    writeTimeoutMs_ = kDrainTimeoutMs;
    int result = kOk;
    for (int i = 0; i < n && result == kOk; ++i)
        result = readByte() >= 0 ? kOk : kNoReply;
    readTimeoutMs_ = savedRead;
    writeTimeoutMs_ = savedWrite;
    return result;
}

int SerialPort::writeBytes(std::span<const std::uint8_t> bytes)
{
    if (!open_) {
        setLastError(PortError::System, EBADF);
        return kNoReply;
    }
    const int error = device_->write(bytes.data(), bytes.size());
    if (error != 0) {
        setLastError(PortError::System, error);
        return kNoReply;
    }
    return kOk;
}

int SerialPort::writeByte(std::uint8_t byte)
{
    return writeBytes({&byte, 1});
}

int SerialPort::writeText(std::string_view text)
{
    if (traits_.maxTextLength != 0 && text.size() > traits_.maxTextLength) {
        setLastError(PortError::System, EMSGSIZE);
        return kNoReply;
    }
    return writeBytes({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

void SerialPort::pause(int ms)
{
    services_.loop.pause(ms);
}

void SerialPort::pumpMessages()
{
    services_.loop.pump();
}

int SerialPort::reserveReply(std::size_t bytes)
{
    if (!open_) {
        setLastError(PortError::System, EBADF);
        return kNoReply;
    }
    if (reply_.size() >= bytes)
        return kOk;
    try {
        reply_.resize(bytes);
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    }
    return kOk;
}

TirrelPort::TirrelPort(PortServices services)
    : SerialPort(
          std::move(services),
          PortTraits{.maxTextLength = 0, .reportsCloseFailure = false, .rtsCtsHandshake = false})
{
}

PortResult TirrelPort::open(int port, int baud, char model)
{
    const PortResult result = openPort(
        port, platform::LineSettings{baud, 8, platform::Parity::None, 1, traits().rtsCtsHandshake});
    if (result == PortResult::Done)
        model_ = model == 'D' ? 'D' : 'E';
    return result;
}

ClassicPort::ClassicPort(PortServices services)
    : SerialPort(std::move(services), PortTraits{.maxTextLength = kMaxTextLength,
                                                 .reportsCloseFailure = true,
                                                 .rtsCtsHandshake = true})
{
}

PortResult ClassicPort::open(int port, int baud)
{
    return openPort(
        port, platform::LineSettings{baud, 8, platform::Parity::None, 1, traits().rtsCtsHandshake});
}

PortResult ClassicPort::openModem(int port, int baud)
{
    return openPort(
        port, platform::LineSettings{baud, 7, platform::Parity::Even, 1, traits().rtsCtsHandshake});
}

} // namespace bv::station
