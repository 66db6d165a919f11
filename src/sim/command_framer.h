#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bv::sim {

struct StationCommand {
    std::string word; // "WRD", "LOOP", ...
    std::vector<std::uint8_t> args;
};

struct FrameEvent {
    enum class Kind {
        Command, // a well-formed command
        Garbled, // an unknown word, or no carriage return after the arguments
        BadCrc,  // a CRC-carrying station: the CRC in front did not match
    };
    Kind kind = Kind::Command;
    StationCommand command;
};

// Cuts the bytes the station receives into commands. A command is a word, a
// number of binary arguments fixed by the word (and, for "WWR" and "RWR", by
// the selector byte), and a carriage return; the arguments may contain any
// byte, 0x0D included. A CRC-carrying station (Tirrel E) first takes two CRC
// bytes, low byte first, covering word, arguments and carriage return.
//
// Between commands a station without command CRC ignores anything that cannot
// start a command word. A silence of more than kResyncGapMs inside a command
// abandons it, so a half-received command never swallows the next one.
class CommandFramer {
  public:
    static constexpr std::int64_t kResyncGapMs = 250;

    explicit CommandFramer(bool commandCrc) : commandCrc_(commandCrc) {}

    std::optional<FrameEvent> feed(std::uint8_t byte, std::int64_t nowMs);
    void reset();

  private:
    enum class State { Idle, Crc, Word, Arguments, CarriageReturn, Skip };

    std::optional<FrameEvent> finish(FrameEvent::Kind kind);
    void acceptWordByte(std::uint8_t byte);
    // -1 while the length depends on an argument not yet received.
    int argumentLength() const;

    bool commandCrc_;
    State state_ = State::Idle;
    std::int64_t lastByteMs_ = 0;
    std::vector<std::uint8_t> crcBytes_;
    std::vector<std::uint8_t> frame_; // word, arguments, carriage return: what the CRC covers
    StationCommand command_;
};

} // namespace bv::sim
