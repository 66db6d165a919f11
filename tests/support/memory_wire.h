#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/serial_device.h"
#include "sim/line_peer.h"
#include "support/virtual_time.h"

namespace bv::testsupport {

// An in-memory serial line on virtual time. Bytes the program writes go to
// the peer at once; the peer's replies are queued with their due time, and
// readByte advances the virtual clock (through the event loop's pause, in
// slices, so timers keep firing) up to the due byte or the time-out.
// Fault knobs make the next open, close, read or write fail, or put a line
// error among the received bytes.
class MemoryWire : public platform::SerialDevice, private sim::LineOutput {
  public:
    static constexpr int kSliceMs = 20;

    MemoryWire(VirtualTime& time, sim::LinePeer& peer);

    int open(const std::string& path, const platform::LineSettings& settings) override;
    int close() override;
    bool isOpen() const override { return open_; }
    platform::ReadResult readByte(int timeoutMs) override;
    int write(const std::uint8_t* data, std::size_t size) override;

    // A factory for SerialPort: each device it makes forwards to this wire.
    std::function<std::unique_ptr<platform::SerialDevice>()> factory();

    // Each byte from the peer takes ten bit times at the open baud rate.
    void setLineRate(bool on) { lineRate_ = on; }

    // Fault injection; errno values.
    void failNextOpen(int error) { openError_ = error; }
    void failNextClose(int error) { closeError_ = error; }
    void failReads(int error) { readError_ = error; } // 0 ends it
    void failWrites(int error) { writeError_ = error; }
    // A parity/framing error reaches the program delayMs from now, after the
    // bytes queued before it.
    void injectLineError(int delayMs = 0);

    // What the program wrote, in order.
    const std::vector<std::uint8_t>& written() const { return written_; }
    std::string writtenText() const { return {written_.begin(), written_.end()}; }
    // Virtual times (ms) of the program's writes, one per write call.
    const std::vector<std::int64_t>& writeTimes() const { return writeTimes_; }
    const std::string& path() const { return path_; }
    const platform::LineSettings& settings() const { return settings_; }
    int openCount() const { return openCount_; }
    std::size_t pendingBytes() const { return queue_.size(); }

  private:
    struct Pending {
        std::int64_t dueUs;
        std::uint8_t byte;
        bool lineError;
    };
    void send(std::span<const std::uint8_t> bytes, int delayMs) override;
    std::int64_t nowMs() const override { return time_.monotonicMs(); }
    void hangUp() override;
    std::int64_t queueAfterUs(int delayMs) const;
    std::int64_t byteTimeUs() const;

    VirtualTime& time_;
    sim::LinePeer& peer_;
    bool open_ = false;
    bool lineRate_ = false;
    std::string path_;
    platform::LineSettings settings_;
    int openCount_ = 0;
    int openError_ = 0;
    int closeError_ = 0;
    int readError_ = 0;
    int writeError_ = 0;
    bool hungUp_ = false; // the peer closed the line; the next open restores it
    std::deque<Pending> queue_;
    std::vector<std::uint8_t> written_;
    std::vector<std::int64_t> writeTimes_;
};

// A factory for SerialPort whose devices reach the wire named by the path
// they open ("COM1", "COM2"), as a station and a modem on two ports do; any
// other path does not exist.
std::function<std::unique_ptr<platform::SerialDevice>()>
routedFactory(std::map<std::string, MemoryWire*> wires);

// A peer scripted inline: the function gets each chunk the program writes.
class LambdaPeer : public sim::LinePeer {
  public:
    using Handler = std::function<void(std::span<const std::uint8_t>, sim::LineOutput&)>;
    explicit LambdaPeer(Handler handler = {}) : handler_(std::move(handler)) {}
    void setHandler(Handler handler) { handler_ = std::move(handler); }
    void onOpen(const platform::LineSettings& settings) override { settings_ = settings; }
    void onBytes(std::span<const std::uint8_t> bytes, sim::LineOutput& out) override;
    const platform::LineSettings& settings() const { return settings_; }

  private:
    Handler handler_;
    platform::LineSettings settings_;
};

} // namespace bv::testsupport
