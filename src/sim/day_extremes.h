#pragma once

#include <span>
#include <variant>

#include "platform/clock.h"
#include "sim/memory_map.h"
#include "sim/raw_sample.h"

namespace bv::sim {

// A Tirrel time word: minute of the day in bits 4..15, days before today in
// bits 0..3 (15 = no time).
struct TirrelStampAt {
    Location word;
};

using StampAt = std::variant<std::monostate, TirrelStampAt, ClassicStampAt>;

// One of the day's highs or lows that the station keeps in memory.
struct ExtremeSlot {
    Reading reading;
    bool high;
    Location value;
    bool isSigned;  // temperatures; humidity, wind and rain intervals are unsigned
    int emptyValue; // what the station holds before it has a value today
    StampAt stamp;
};

// Starts a new day: every slot takes the current reading and the time now.
void resetExtremes(NibbleMemory& memory, std::span<const ExtremeSlot> slots, const RawSample& now,
                   const platform::WallTime& at);
// Keeps each slot's value and time when the current reading beats it.
void updateExtremes(NibbleMemory& memory, std::span<const ExtremeSlot> slots, const RawSample& now,
                    const platform::WallTime& at);

} // namespace bv::sim
