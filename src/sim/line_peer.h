#pragma once

#include <cstdint>
#include <span>

#include "platform/serial_device.h"

namespace bv::sim {

// Where a peer's replies go: the in-memory wire of the tests (virtual time) or
// a pseudo-terminal served in real time.
class LineOutput {
  public:
    virtual ~LineOutput() = default;
    // Queues bytes to reach the program delayMs from now, after anything queued
    // before them.
    virtual void send(std::span<const std::uint8_t> bytes, int delayMs = 0) = 0;
    virtual std::int64_t nowMs() const = 0;
    // Closes the line under the program: its reads and writes fail from now
    // on, as when a USB adapter is pulled out.
    virtual void hangUp() = 0;
};

// The far end of a serial line: a simulated station, a modem, a paging service.
class LinePeer {
  public:
    virtual ~LinePeer() = default;
    // The program opened the line with these settings (baud rate, data bits ...).
    virtual void onOpen(const platform::LineSettings& settings) { (void)settings; }
    // Bytes the program wrote; replies go to out.
    virtual void onBytes(std::span<const std::uint8_t> bytes, LineOutput& out) = 0;
};

} // namespace bv::sim
