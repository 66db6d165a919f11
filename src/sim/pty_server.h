#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>

#include "platform/clock.h"
#include "platform/headless/poll_event_loop.h"
#include "sim/line_peer.h"

namespace bv::sim {

struct PtyOptions {
    int baud = 2400;
    // Deliver the peer's bytes no faster than the line would: 10 bits a byte
    // (start, 8 data, stop) at baud.
    bool baudPacing = false;
};

// Serves a peer on a pseudo-terminal in real time: the program opens the
// slave device as it would a serial port; what it writes reaches the peer,
// and the peer's replies come back through a queue of timed bytes, delayed as
// the peer asked and, with baudPacing, paced to the line rate.
//
// The server keeps a descriptor of the slave open itself, so the pair stays
// usable while the program closes and reopens the port. Line time (nowMs)
// starts at 0 when the server opens.
class PtyServer : public LineOutput {
  public:
    PtyServer(platform::PollEventLoop& loop, const platform::Clock& clock, LinePeer& peer,
              const PtyOptions& options);
    ~PtyServer() override;
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pair, puts the slave in raw mode at the baud and starts
    // serving. 0, or the errno of the failing call.
    int open();
    const std::string& slavePath() const { return slavePath_; }

    void send(std::span<const std::uint8_t> bytes, int delayMs = 0) override;
    std::int64_t nowMs() const override;

  private:
    struct TimedByte {
        std::int64_t dueUs;
        std::uint8_t value;
    };

    void onReadable();
    void deliverDue();
    void scheduleDelivery();
    std::int64_t nowUs() const;

    platform::PollEventLoop& loop_;
    const platform::Clock& clock_;
    LinePeer& peer_;
    PtyOptions options_;
    std::int64_t startMs_ = 0;
    int master_ = -1;
    int slaveHold_ = -1;
    std::string slavePath_;
    platform::WatchId watch_ = 0;
    platform::TimerId timer_ = 0;
    std::deque<TimedByte> queue_;
    std::int64_t lastDueUs_ = 0;
};

} // namespace bv::sim
