#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "sim/line_peer.h"

namespace bv::sim::test {

// A LineOutput that keeps what a peer sends, each byte stamped with the line
// time it would reach the program.
class RecordingOutput : public LineOutput {
  public:
    struct Byte {
        std::int64_t atMs;
        std::uint8_t value;
    };

    void send(std::span<const std::uint8_t> bytes, int delayMs) override;
    std::int64_t nowMs() const override { return now; }
    void hangUp() override { hungUp = true; }

    // Every byte sent so far, and clears the record.
    std::vector<std::uint8_t> take();
    std::string takeText();

    std::int64_t now = 0;
    bool hungUp = false;
    std::vector<Byte> sent;
};

// Feeds bytes to a peer at the output's current time and returns its reply.
std::vector<std::uint8_t> exchange(LinePeer& peer, RecordingOutput& out,
                                   const std::vector<std::uint8_t>& bytes);

// A command as the program frames it: word, argument bytes, carriage return;
// with commandCrc the two CRC bytes (low byte first) go in front.
std::vector<std::uint8_t> frameCommand(const std::string& word,
                                       const std::vector<std::uint8_t>& args, bool commandCrc);

std::uint16_t le16(const std::vector<std::uint8_t>& bytes, std::size_t at);
std::int16_t le16s(const std::vector<std::uint8_t>& bytes, std::size_t at);
std::uint32_t le24(const std::vector<std::uint8_t>& bytes, std::size_t at);

} // namespace bv::sim::test
