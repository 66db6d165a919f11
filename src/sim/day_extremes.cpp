#include "sim/day_extremes.h"

namespace bv::sim {

namespace {

constexpr int kTirrelNoTime = 15;
constexpr int kMinuteShift = 4;

struct StampWriter {
    NibbleMemory& memory;
    const platform::WallTime* at; // nullptr: no time

    void operator()(std::monostate) const {}
    void operator()(const TirrelStampAt& s) const
    {
        const int word =
            at == nullptr ? kTirrelNoTime : (at->hour * 60 + at->minute) << kMinuteShift;
        memory.setValue(s.word, word);
    }
    void operator()(const ClassicStampAt& s) const
    {
        memory.setBcdValue(s.hour, at == nullptr ? 0 : at->hour);
        memory.setBcdValue(s.minute, at == nullptr ? 0 : at->minute);
        memory.setBcdValue(s.day, at == nullptr ? 0 : at->day);
        memory.setValue(s.month, at == nullptr ? 0 : at->month);
    }
};

int storedValue(const NibbleMemory& memory, const ExtremeSlot& slot)
{
    return slot.isSigned ? memory.signedValue(slot.value)
                         : static_cast<int>(memory.value(slot.value));
}

void store(NibbleMemory& memory, const ExtremeSlot& slot, int value, const platform::WallTime* at)
{
    memory.setValue(slot.value, value);
    std::visit(StampWriter{memory, at}, slot.stamp);
}

} // namespace

void resetExtremes(NibbleMemory& memory, std::span<const ExtremeSlot> slots, const RawSample& now,
                   const platform::WallTime& at)
{
    for (const ExtremeSlot& slot : slots) {
        const int v = now[slot.reading];
        if (v == kMissing || v == slot.emptyValue)
            store(memory, slot, slot.emptyValue, nullptr);
        else
            store(memory, slot, v, &at);
    }
}

void updateExtremes(NibbleMemory& memory, std::span<const ExtremeSlot> slots, const RawSample& now,
                    const platform::WallTime& at)
{
    for (const ExtremeSlot& slot : slots) {
        const int v = now[slot.reading];
        if (v == kMissing || v == slot.emptyValue)
            continue;
        const int stored = storedValue(memory, slot);
        const bool beaten = slot.high ? v > stored : v < stored;
        if (stored == slot.emptyValue || beaten)
            store(memory, slot, v, &at);
    }
}

} // namespace bv::sim
