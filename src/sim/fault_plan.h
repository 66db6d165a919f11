#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/value_noise.h"
#include "sim/wire_bytes.h"

namespace bv::sim {

enum class FaultKind {
    Silence,          // the station does not hear the command: no reply, nothing done
    Nak,              // the station refuses the command with nakByte, nothing done
    DropBytes,        // dropCount bytes of the reply are lost on the line
    CorruptCrc,       // a reply that carries a CRC arrives with a wrong one
    Late,             // the reply comes delayMs late
    WrongModelNumber, // a read of the model number finds modelNumber
    RepeatBlock,      // an acknowledged archive block is sent once more
    BadBlockNumber,   // an archive block carries the number of the block after it
    BadBlockHeader,   // an archive block starts with a noise byte instead of 0x01
    CutBlock,         // an archive block stops after cutAfter bytes; the rest never comes
    HangUp,           // the line is closed under the program (an adapter pulled out)
    Count,
};

// What to spoil and how often. Rules apply to the replies they match, in the
// order they were added; each kind is taken from the first matching rule.
//
//   faults.add(FaultRule(FaultKind::Nak).on("WRD").times(2).answering(0x18));
//   faults.add(FaultRule(FaultKind::Silence).always().withProbability(0.1));
struct FaultRule {
    explicit FaultRule(FaultKind k) : kind(k) {}

    // The replies it spoils: a command word ("LOOP", "WRD" ...), or "BLOCK"
    // for the blocks of an archive dump. By default any reply.
    FaultRule& on(std::string_view replyTo)
    {
        command = replyTo;
        return *this;
    }
    FaultRule& times(int n)
    {
        count = n;
        return *this;
    }
    FaultRule& always() { return times(-1); }
    FaultRule& withProbability(double p)
    {
        probability = p;
        return *this;
    }
    FaultRule& answering(std::uint8_t byte)
    {
        nakByte = byte;
        return *this;
    }
    FaultRule& delayedBy(int ms)
    {
        delayMs = ms;
        return *this;
    }
    FaultRule& dropping(int bytes)
    {
        dropCount = bytes;
        return *this;
    }
    FaultRule& cuttingAfter(int bytes)
    {
        cutAfter = bytes;
        return *this;
    }
    FaultRule& reporting(std::uint8_t number)
    {
        modelNumber = number;
        return *this;
    }

    FaultKind kind;
    std::string command;      // "" = any reply
    int count = 1;            // matching replies it spoils; -1 = no limit
    double probability = 1.0; // chance for each matching reply
    std::uint8_t nakByte = wire::kRefused;
    int delayMs = 4000;
    int dropCount = 1;
    int cutAfter = 60;
    std::uint8_t modelNumber = 9;
};

// The faults a simulated peer injects, deterministic for a seed.
class FaultPlan {
  public:
    static constexpr std::string_view kBlockReply = "BLOCK";

    explicit FaultPlan(std::uint64_t seed) : random_(seed) {}

    void add(const FaultRule& rule) { rules_.push_back(rule); }
    void clear() { rules_.clear(); }
    // The rule that spoils this reply, if one fires; it counts one use.
    std::optional<FaultRule> take(FaultKind kind, std::string_view replyTo);
    // Times each kind has fired.
    int fired(FaultKind kind) const { return fired_[static_cast<std::size_t>(kind)]; }
    // Removes rule.dropCount bytes at random places.
    void dropBytes(std::vector<std::uint8_t>& bytes, const FaultRule& rule);

  private:
    std::vector<FaultRule> rules_;
    SeededRandom random_;
    std::array<int, static_cast<std::size_t>(FaultKind::Count)> fired_{};
};

} // namespace bv::sim
