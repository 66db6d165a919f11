#include "sim/command_framer.h"

#include <array>
#include <string_view>

#include "sim/wire_bytes.h"
#include "sim/xmodem_crc.h"

namespace bv::sim {

namespace {

struct WordShape {
    std::string_view word;
    int fixedArguments; // bytes before any that a selector adds
};

constexpr std::array<WordShape, 11> kWords{{
    {"WRD", 2},
    {"WWR", 2},
    {"RRD", 3},
    {"RWR", 2},
    {"LOOP", 2},
    {"DMP", 0},
    {"SRD", 4},
    {"SSP", 1},
    {"SAP", 1},
    {"DBT", 0},
    {"EBT", 0},
}};

constexpr int kNibbleBits = 4;
constexpr std::uint8_t kNibbleMask = 0x0F;
constexpr int kBitsPerByte = 8;

bool startsAnyWord(std::string_view prefix)
{
    for (const WordShape& w : kWords)
        if (w.word.starts_with(prefix))
            return true;
    return false;
}

const WordShape* findWord(std::string_view word)
{
    for (const WordShape& w : kWords)
        if (w.word == word)
            return &w;
    return nullptr;
}

int bytesForNibbles(int nibbles)
{
    return (nibbles + 1) / 2;
}

bool isUpperLetter(std::uint8_t b)
{
    return b >= 'A' && b <= 'Z';
}

} // namespace

void CommandFramer::reset()
{
    state_ = State::Idle;
    crcBytes_.clear();
    frame_.clear();
    command_ = {};
}

int CommandFramer::argumentLength() const
{
    const WordShape* shape = findWord(command_.word);
    const auto& args = command_.args;
    if (command_.word == "WWR" || command_.word == "RWR") {
        if (args.empty())
            return -1;
        // "WWR": nibble count in the high half of the selector; "RWR": count
        // less one in the low half.
        const int nibbles =
            command_.word == "WWR" ? args[0] >> kNibbleBits : (args[0] & kNibbleMask) + 1;
        return shape->fixedArguments + bytesForNibbles(nibbles);
    }
    return shape->fixedArguments;
}

void CommandFramer::acceptWordByte(std::uint8_t byte)
{
    command_.word += static_cast<char>(byte);
    if (!startsAnyWord(command_.word)) {
        state_ = State::Skip;
        return;
    }
    if (findWord(command_.word) != nullptr)
        state_ = argumentLength() == 0 ? State::CarriageReturn : State::Arguments;
}

std::optional<FrameEvent> CommandFramer::finish(FrameEvent::Kind kind)
{
    FrameEvent event{kind, command_};
    if (commandCrc_) {
        const std::uint16_t sent =
            static_cast<std::uint16_t>(crcBytes_.at(0) | crcBytes_.at(1) << kBitsPerByte);
        if (sent != xmodemCrc(frame_))
            event.kind = FrameEvent::Kind::BadCrc;
    }
    reset();
    return event;
}

std::optional<FrameEvent> CommandFramer::feed(std::uint8_t byte, std::int64_t nowMs)
{
    if (state_ != State::Idle && nowMs - lastByteMs_ > kResyncGapMs)
        reset();
    lastByteMs_ = nowMs;

    if (state_ == State::Idle) {
        if (commandCrc_)
            state_ = State::Crc;
        else if (isUpperLetter(byte))
            state_ = State::Word;
        else
            return std::nullopt;
    }
    if (state_ == State::Crc) {
        crcBytes_.push_back(byte);
        if (crcBytes_.size() == 2)
            state_ = State::Word;
        return std::nullopt;
    }

    frame_.push_back(byte);
    switch (state_) {
    case State::Word:
        acceptWordByte(byte);
        if (state_ == State::Skip && byte == wire::kCarriageReturn)
            return finish(FrameEvent::Kind::Garbled);
        return std::nullopt;
    case State::Arguments:
        command_.args.push_back(byte);
        if (static_cast<int>(command_.args.size()) == argumentLength())
            state_ = State::CarriageReturn;
        return std::nullopt;
    case State::CarriageReturn:
        if (byte == wire::kCarriageReturn)
            return finish(FrameEvent::Kind::Command);
        state_ = State::Skip;
        return std::nullopt;
    case State::Skip:
        if (byte == wire::kCarriageReturn)
            return finish(FrameEvent::Kind::Garbled);
        return std::nullopt;
    case State::Idle:
    case State::Crc:
        break;
    }
    return std::nullopt;
}

} // namespace bv::sim
