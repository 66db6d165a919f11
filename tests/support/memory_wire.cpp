#include "support/memory_wire.h"

#include <algorithm>
#include <cerrno>
#include <utility>

namespace bv::testsupport {

namespace {

constexpr std::int64_t kUsPerMs = 1000;
constexpr int kBitsPerByte = 10; // start bit, data, parity and stop bits, as a modem counts

// Forwards to the wire a test keeps, so a port can own its device.
class WireHandle : public platform::SerialDevice {
  public:
    explicit WireHandle(MemoryWire& wire) : wire_(wire) {}
    int open(const std::string& path, const platform::LineSettings& settings) override
    {
        return wire_.open(path, settings);
    }
    int close() override { return wire_.close(); }
    bool isOpen() const override { return wire_.isOpen(); }
    platform::ReadResult readByte(int timeoutMs) override { return wire_.readByte(timeoutMs); }
    int write(const std::uint8_t* data, std::size_t size) override
    {
        return wire_.write(data, size);
    }

  private:
    MemoryWire& wire_;
};

// Picks its wire when it is opened.
class RoutedHandle : public platform::SerialDevice {
  public:
    explicit RoutedHandle(std::shared_ptr<const std::map<std::string, MemoryWire*>> wires)
        : wires_(std::move(wires))
    {
    }
    int open(const std::string& path, const platform::LineSettings& settings) override
    {
        const auto found = wires_->find(path);
        if (found == wires_->end())
            return ENOENT;
        wire_ = found->second;
        return wire_->open(path, settings);
    }
    int close() override { return wire_ != nullptr ? wire_->close() : EBADF; }
    bool isOpen() const override { return wire_ != nullptr && wire_->isOpen(); }
    platform::ReadResult readByte(int timeoutMs) override
    {
        if (wire_ == nullptr)
            return {platform::ReadStatus::Failed, 0, EBADF};
        return wire_->readByte(timeoutMs);
    }
    int write(const std::uint8_t* data, std::size_t size) override
    {
        return wire_ != nullptr ? wire_->write(data, size) : EBADF;
    }

  private:
    std::shared_ptr<const std::map<std::string, MemoryWire*>> wires_;
    MemoryWire* wire_ = nullptr;
};

} // namespace

std::function<std::unique_ptr<platform::SerialDevice>()>
routedFactory(std::map<std::string, MemoryWire*> wires)
{
    auto shared = std::make_shared<const std::map<std::string, MemoryWire*>>(std::move(wires));
    return [shared] { return std::make_unique<RoutedHandle>(shared); };
}

MemoryWire::MemoryWire(VirtualTime& time, sim::LinePeer& peer) : time_(time), peer_(peer) {}

int MemoryWire::open(const std::string& path, const platform::LineSettings& settings)
{
    if (open_)
        return EBUSY;
    if (openError_ != 0)
        return std::exchange(openError_, 0);
    open_ = true;
    hungUp_ = false;
    path_ = path;
    settings_ = settings;
    ++openCount_;
    peer_.onOpen(settings);
    return 0;
}

int MemoryWire::close()
{
    if (!open_)
        return EBADF;
    open_ = false;
    queue_.clear(); // the line's input buffer goes with the handle
    return std::exchange(closeError_, 0);
}

platform::ReadResult MemoryWire::readByte(int timeoutMs)
{
    const std::int64_t deadlineMs = time_.monotonicMs() + std::max(timeoutMs, 0);
    for (;;) {
        if (!open_)
            return {platform::ReadStatus::Failed, 0, EBADF};
        if (readError_ != 0 || hungUp_)
            return {platform::ReadStatus::Failed, 0, hungUp_ ? EIO : readError_};
        const std::int64_t nowUs = time_.monotonicMs() * kUsPerMs;
        if (!queue_.empty() && queue_.front().dueUs <= nowUs) {
            const Pending next = queue_.front();
            queue_.pop_front();
            if (next.lineError)
                return {platform::ReadStatus::LineError, 0, 0};
            return {platform::ReadStatus::Byte, next.byte, 0};
        }
        const std::int64_t nowMs = time_.monotonicMs();
        if (nowMs >= deadlineMs)
            return {platform::ReadStatus::Timeout, 0, 0};
        std::int64_t untilMs = std::min(deadlineMs, nowMs + kSliceMs);
        if (!queue_.empty())
            untilMs = std::min(untilMs, (queue_.front().dueUs + kUsPerMs - 1) / kUsPerMs);
        time_.pause(static_cast<int>(std::max<std::int64_t>(untilMs - nowMs, 1)));
    }
}

int MemoryWire::write(const std::uint8_t* data, std::size_t size)
{
    if (!open_)
        return EBADF;
    if (writeError_ != 0)
        return writeError_;
    if (hungUp_)
        return EIO;
    written_.insert(written_.end(), data, data + size);
    writeTimes_.push_back(time_.monotonicMs());
    peer_.onBytes({data, size}, *this);
    return 0;
}

std::function<std::unique_ptr<platform::SerialDevice>()> MemoryWire::factory()
{
    return [this] { return std::make_unique<WireHandle>(*this); };
}

std::int64_t MemoryWire::byteTimeUs() const
{
    if (!lineRate_ || settings_.baud <= 0)
        return 0;
    return kBitsPerByte * 1000 * kUsPerMs / settings_.baud;
}

std::int64_t MemoryWire::queueAfterUs(int delayMs) const
{
    const std::int64_t startUs = (time_.monotonicMs() + std::max(delayMs, 0)) * kUsPerMs;
    return queue_.empty() ? startUs : std::max(startUs, queue_.back().dueUs);
}

void MemoryWire::send(std::span<const std::uint8_t> bytes, int delayMs)
{
    if (!open_)
        return; // nobody listens on a closed line
    std::int64_t dueUs = queueAfterUs(delayMs);
    for (std::uint8_t byte : bytes) {
        dueUs += byteTimeUs();
        queue_.push_back({dueUs, byte, false});
    }
}

void MemoryWire::hangUp()
{
    hungUp_ = true;
    queue_.clear();
}

void MemoryWire::injectLineError(int delayMs)
{
    queue_.push_back({queueAfterUs(delayMs), 0, true});
}

void LambdaPeer::onBytes(std::span<const std::uint8_t> bytes, sim::LineOutput& out)
{
    if (handler_)
        handler_(bytes, out);
}

} // namespace bv::testsupport
