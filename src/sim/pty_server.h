#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/headless/poll_event_loop.h"
#include "sim/line_peer.h"

namespace bv::sim {

struct PtyOptions {
    int baud = 2400;
    // Carry bytes no faster than the line would, both ways: 10 bits a byte
    // (start, 8 data, stop) at baud.
    bool baudPacing = false;
};

// Serves a peer on a pseudo-terminal in real time: the program opens the
// slave device as it would a serial port; what it writes reaches the peer,
// and the peer's replies come back through a queue of timed bytes, delayed as
// the peer asked. With baudPacing both directions take the line's time: the
// peer hears each byte, and the program gets each byte, 10 bit times after
// the one before it.
//
// The peer learns the line settings the program gives the slave (baud rate,
// data bits, parity, stop bits) whenever they change, before it hears the
// bytes written under them; a station set to another rate then hears noise.
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
    // Closes the master side: the program's reads and writes fail from then on.
    void hangUp() override;

  private:
    struct TimedByte {
        std::int64_t dueUs;
        std::uint8_t value;
    };
    // Bytes on their way in one direction of the line.
    struct Direction {
        std::deque<TimedByte> queue;
        std::int64_t lastDueUs = 0;
        platform::TimerId timer = 0;
    };

    std::int64_t byteUs() const;
    void queueBytes(Direction& direction, std::int64_t startUs,
                    std::span<const std::uint8_t> bytes) const;
    std::vector<std::uint8_t> dueBytes(const Direction& direction) const;
    void schedule(Direction& direction, void (PtyServer::*deliver)());
    void onReadable();
    void hearDue();
    void deliverDue();
    std::int64_t nowUs() const;
    // The slave's settings as the program last set them.
    platform::LineSettings slaveSettings() const;

    platform::PollEventLoop& loop_;
    const platform::Clock& clock_;
    LinePeer& peer_;
    PtyOptions options_;
    std::int64_t startMs_ = 0;
    int master_ = -1;
    int slaveHold_ = -1;
    std::string slavePath_;
    platform::WatchId watch_ = 0;
    platform::LineSettings line_;
    Direction heard_; // from the program to the peer
    Direction sent_;  // from the peer to the program
};

} // namespace bv::sim
