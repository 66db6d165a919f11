#include "station_peer.h"

#include <algorithm>
#include <optional>

#include "station/crc16.h"
#include "station/protocol_bytes.h"

namespace bv::station::testing {

namespace {

constexpr int kNibblesPerBank = 512; // addresses run past 255 by the length of a value

std::optional<std::size_t> argumentCount(const std::string& word,
                                         std::span<const std::uint8_t> after)
{
    if (word == protocol::kLoop)
        return 2;
    if (word == protocol::kReadStation)
        return 2;
    if (word == protocol::kReadLogger)
        return 3;
    if (word == protocol::kStatusRead)
        return 4;
    if (word == protocol::kSetSamplePeriod || word == protocol::kSetArchivePeriod)
        return 1;
    if (word == protocol::kDump || word == protocol::kBeginTimedWrite ||
        word == protocol::kEndTimedWrite)
        return 0;
    if (after.empty())
        return std::nullopt; // the selector is still to come
    if (word == protocol::kWriteStation)
        return 2 + static_cast<std::size_t>(protocol::byteCount(after[0] >> 4));
    if (word == protocol::kWriteLogger)
        return after[0] == 0x17 ? 6 : after[0] == 0x13 ? 4 : 3;
    return std::nullopt;
}

constexpr std::array<std::string_view, 11> kWords{protocol::kLoop,
                                                  protocol::kReadStation,
                                                  protocol::kWriteStation,
                                                  protocol::kReadLogger,
                                                  protocol::kWriteLogger,
                                                  protocol::kDump,
                                                  protocol::kStatusRead,
                                                  protocol::kSetSamplePeriod,
                                                  protocol::kSetArchivePeriod,
                                                  protocol::kBeginTimedWrite,
                                                  protocol::kEndTimedWrite};

void storeNibbles(std::vector<std::uint8_t>& bank, int address, int nibbles, std::uint32_t value)
{
    for (int i = 0; i < nibbles && i < 8; ++i)
        bank[static_cast<std::size_t>(address + i)] =
            static_cast<std::uint8_t>((value >> (4 * i)) & 0x0F);
}

std::uint32_t littleEndianValue(std::span<const std::uint8_t> bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes.size() && i < 4; ++i)
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    return value;
}

} // namespace

StationPeer::StationPeer(bool crcCommands, bool crcReplies)
    : crcCommands_(crcCommands), crcReplies_(crcReplies)
{
    for (auto& bank : station_)
        bank.assign(kNibblesPerBank, 0);
    for (auto& bank : logger_)
        bank.assign(kNibblesPerBank, 0);
}

void StationPeer::onBytes(std::span<const std::uint8_t> bytes, sim::LineOutput& out)
{
    input_.insert(input_.end(), bytes.begin(), bytes.end());
    while (parseOne(out)) {
    }
}

bool StationPeer::parseOne(sim::LineOutput& out)
{
    const std::size_t prefix = crcCommands_ ? 2 : 0;
    if (input_.size() <= prefix)
        return false;
    const std::span<const std::uint8_t> body(input_.begin() + static_cast<long>(prefix),
                                             input_.end());
    for (std::string_view word : kWords) {
        const std::size_t compared = std::min(word.size(), body.size());
        if (!std::equal(word.begin(), word.begin() + static_cast<long>(compared), body.begin()))
            continue;
        if (body.size() < word.size())
            return false; // the word may still be coming
        const std::optional<std::size_t> args =
            argumentCount(std::string(word), body.subspan(word.size()));
        if (!args || body.size() < word.size() + *args + 1)
            return false;
        if (body[word.size() + *args] != protocol::kCarriageReturn)
            break; // not a command after all
        StationCommand command;
        command.word = std::string(word);
        command.args.assign(body.begin() + static_cast<long>(word.size()),
                            body.begin() + static_cast<long>(word.size() + *args));
        command.crcPrefixed = crcCommands_;
        const std::size_t length = word.size() + *args + 1;
        if (crcCommands_) {
            const std::uint16_t crc = crc16(body.first(length));
            command.crcGood = input_[0] == (crc & 0xFF) && input_[1] == (crc >> 8);
        }
        command.atMs = out.nowMs();
        input_.erase(input_.begin(), input_.begin() + static_cast<long>(prefix + length));
        commands_.push_back(command);
        answer(command, out);
        return true;
    }
    input_.erase(input_.begin());
    ++garbage_;
    return true;
}

void StationPeer::answer(const StationCommand& command, sim::LineOutput& out)
{
    if (handler_ && handler_(command, out))
        return;
    std::vector<std::uint8_t> reply{protocol::kAck};
    const auto& a = command.args;
    if (command.word == protocol::kReadStation) {
        const int bank = (a[0] & 0x0F) == protocol::kReadBank0 ? 0 : 1;
        const auto data = dataReply(station_, bank, a[1], a[0] >> 4);
        reply.insert(reply.end(), data.begin(), data.end());
    } else if (command.word == protocol::kReadLogger) {
        const auto data = dataReply(logger_, a[0], a[1], a[2] + 1);
        reply.insert(reply.end(), data.begin(), data.end());
    } else if (command.word == protocol::kWriteStation) {
        const int bank = (a[0] & 0x0F) == protocol::kWriteBank0 ? 0 : 1;
        storeNibbles(station_[static_cast<std::size_t>(bank)], a[1], a[0] >> 4,
                     littleEndianValue(std::span(a).subspan(2)));
    } else if (command.word == protocol::kStatusRead) {
        const auto data = withCrc({0x00});
        reply.insert(reply.end(), data.begin(), data.end());
    }
    out.send(reply);
}

std::vector<std::uint8_t> StationPeer::dataReply(const Memory& memory, int bank, int address,
                                                 int nibbles) const
{
    std::vector<std::uint8_t> data(static_cast<std::size_t>(protocol::byteCount(nibbles)), 0);
    for (int i = 0; i < nibbles; ++i) {
        const std::uint8_t nibble =
            memory[static_cast<std::size_t>(bank & 1)][static_cast<std::size_t>(address + i)];
        data[static_cast<std::size_t>(i / 2)] |= static_cast<std::uint8_t>(nibble << (4 * (i % 2)));
    }
    return crcReplies_ ? withCrc(data) : data;
}

std::vector<std::uint8_t> StationPeer::withCrc(std::vector<std::uint8_t> data)
{
    const std::uint16_t crc = crc16(data);
    data.push_back(static_cast<std::uint8_t>(crc >> 8));
    data.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return data;
}

void StationPeer::setStationNibbles(int bank, int address, int nibbles, std::uint32_t value)
{
    storeNibbles(station_[static_cast<std::size_t>(bank)], address, nibbles, value);
}

std::uint32_t StationPeer::stationNibbles(int bank, int address, int nibbles) const
{
    std::uint32_t value = 0;
    for (int i = 0; i < nibbles; ++i)
        value |=
            static_cast<std::uint32_t>(
                station_[static_cast<std::size_t>(bank)][static_cast<std::size_t>(address + i)])
            << (4 * i);
    return value;
}

void StationPeer::setLoggerNibbles(int bank, int address, int nibbles, std::uint32_t value)
{
    storeNibbles(logger_[static_cast<std::size_t>(bank)], address, nibbles, value);
}

std::vector<std::string> StationPeer::words() const
{
    std::vector<std::string> out;
    for (const StationCommand& c : commands_)
        out.push_back(c.word);
    return out;
}

} // namespace bv::station::testing
