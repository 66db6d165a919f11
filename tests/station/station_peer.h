#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "sim/line_peer.h"

namespace bv::station::testing {

// One command as the station parsed it.
struct StationCommand {
    std::string word;
    std::vector<std::uint8_t> args;
    bool crcPrefixed = false; // two CRC bytes came in front of the word
    bool crcGood = false;     // and they were the command's CRC, low byte first
    std::int64_t atMs = 0;    // when its carriage return arrived
};

// A small station for the link's tests: it splits what the program writes into
// commands (the argument count follows from the command word and selector),
// keeps two banks of station and logger memory in nibbles, and answers as a
// well-behaved station does unless the test's handler answers first.
class StationPeer : public sim::LinePeer {
  public:
    // Returns true when it answered the command itself.
    using Handler = std::function<bool(const StationCommand&, sim::LineOutput&)>;

    StationPeer(bool crcCommands, bool crcReplies);

    void onBytes(std::span<const std::uint8_t> bytes, sim::LineOutput& out) override;

    void setHandler(Handler handler) { handler_ = std::move(handler); }
    void setStationNibbles(int bank, int address, int nibbles, std::uint32_t value);
    std::uint32_t stationNibbles(int bank, int address, int nibbles) const;
    void setLoggerNibbles(int bank, int address, int nibbles, std::uint32_t value);

    const std::vector<StationCommand>& commands() const { return commands_; }
    std::vector<std::string> words() const;
    // Bytes that could not be read as a command.
    std::size_t garbageBytes() const { return garbage_; }

    // The data of an n-nibble read and, for a CRC station, its CRC (high byte first).
    std::vector<std::uint8_t> dataReply(const std::array<std::vector<std::uint8_t>, 2>& memory,
                                        int bank, int address, int nibbles) const;
    static std::vector<std::uint8_t> withCrc(std::vector<std::uint8_t> data);

  private:
    using Memory = std::array<std::vector<std::uint8_t>, 2>; // nibbles per bank
    bool parseOne(sim::LineOutput& out);
    void answer(const StationCommand& command, sim::LineOutput& out);

    bool crcCommands_;
    bool crcReplies_;
    Handler handler_;
    std::vector<std::uint8_t> input_;
    std::vector<StationCommand> commands_;
    std::size_t garbage_ = 0;
    Memory station_;
    Memory logger_;
};

} // namespace bv::station::testing
