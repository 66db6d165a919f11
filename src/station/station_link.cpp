#include "station/station_link.h"

#include <algorithm>
#include <array>

#include "station/crc16.h"
#include "station/protocol_bytes.h"
#include "station/result_codes.h"
#include "station/serial_port.h"

namespace bv::station {

namespace {

constexpr int kMaxNibbles = 15; // the selector byte holds the count in four bits
constexpr int kMaxAddress = 255;

bool validLocation(const MemoryLocation& at)
{
    return (at.bank == 0 || at.bank == 1) && at.address >= 0 && at.address <= kMaxAddress &&
           at.nibbles >= 1 && at.nibbles <= kMaxNibbles;
}

std::vector<std::uint8_t> littleEndian(std::uint32_t value, int bytes)
{
    std::vector<std::uint8_t> out;
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    return out;
}

} // namespace

StationLink::StationLink(SerialPort& port) : port_(port) {}

int StationLink::drain()
{
    command_.clear();
    replyLength_ = 0;
    return port_.drain();
}

std::span<const std::uint8_t> StationLink::buildCommand(const Command& command)
{
    command_.assign(command.word.begin(), command.word.end());
    command_.insert(command_.end(), command.args.begin(), command.args.end());
    command_.push_back(protocol::kCarriageReturn);
    return command_;
}

int StationLink::sendCommand(std::string_view word, std::span<const std::uint8_t> args)
{
    return transact(Command{word, args, 0});
}

int StationLink::readStation(const MemoryLocation& at)
{
    if (!validLocation(at))
        return kNoReply;
    const std::array<std::uint8_t, 2> args{protocol::readSelector(at.bank, at.nibbles),
                                           static_cast<std::uint8_t>(at.address)};
    return transact(Command{protocol::kReadStation, args,
                            static_cast<std::size_t>(protocol::byteCount(at.nibbles))});
}

int StationLink::readStation(const MemoryLocation& at, std::uint32_t& value)
{
    return readValue(readStation(at), at.nibbles, value);
}

int StationLink::writeStation(std::uint8_t selector, std::uint8_t address,
                              std::span<const std::uint8_t> bytes)
{
    std::vector<std::uint8_t> args{selector, address};
    args.insert(args.end(), bytes.begin(), bytes.end());
    return transact(Command{protocol::kWriteStation, args, 0});
}

int StationLink::writeStation(const MemoryLocation& at, std::uint32_t value)
{
    if (!validLocation(at))
        return kNoReply;
    return writeStation(protocol::writeSelector(at.bank, at.nibbles),
                        static_cast<std::uint8_t>(at.address),
                        littleEndian(value, protocol::byteCount(at.nibbles)));
}

int StationLink::readLogger(const MemoryLocation& at)
{
    if (!validLocation(at))
        return kNoReply;
    const std::array<std::uint8_t, 3> args{static_cast<std::uint8_t>(at.bank),
                                           static_cast<std::uint8_t>(at.address),
                                           static_cast<std::uint8_t>(at.nibbles - 1)};
    return transact(Command{protocol::kReadLogger, args,
                            static_cast<std::size_t>(protocol::byteCount(at.nibbles))});
}

int StationLink::readLogger(const MemoryLocation& at, std::uint32_t& value)
{
    return readValue(readLogger(at), at.nibbles, value);
}

int StationLink::writeLogger(std::uint8_t selector, std::uint8_t address,
                             std::span<const std::uint8_t> bytes)
{
    std::vector<std::uint8_t> args{selector, address};
    args.insert(args.end(), bytes.begin(), bytes.end());
    return transact(Command{protocol::kWriteLogger, args, 0});
}

int StationLink::writeLogger(const MemoryLocation& at, std::uint32_t value)
{
    if (!validLocation(at))
        return kNoReply;
    return writeLogger(protocol::loggerWriteSelector(at.bank, at.nibbles),
                       static_cast<std::uint8_t>(at.address),
                       littleEndian(value, protocol::byteCount(at.nibbles)));
}

int StationLink::readValue(int result, int nibbles, std::uint32_t& value) const
{
    if (result < 0)
        return result;
    const std::span<const std::uint8_t> data = reply();
    value = 0;
    for (std::size_t i = 0; i < data.size() && i < sizeof value; ++i)
        value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    if (nibbles < 8)
        value &= (std::uint32_t{1} << (4 * nibbles)) - 1;
    return result;
}

int StationLink::sendLoop()
{
    const std::array<std::uint8_t, 2> count{
        static_cast<std::uint8_t>(protocol::kOneLoopPacket & 0xFF),
        static_cast<std::uint8_t>(protocol::kOneLoopPacket >> 8)};
    return sendCommand(protocol::kLoop, count);
}

int StationLink::sendDump()
{
    return sendCommand(protocol::kDump);
}

int StationLink::sendStatusRead()
{
    constexpr std::array<std::uint8_t, 4> kZeros{};
    const int result = sendCommand(protocol::kStatusRead, kZeros);
    if (result < 0)
        return result;
    return readCheckedReply(1);
}

int StationLink::readPacket(std::size_t n)
{
    replyLength_ = 0;
    const int result = port_.readBytes(n);
    if (result == kOk)
        replyLength_ = n;
    return result;
}

int StationLink::readCheckedReply(std::size_t dataBytes)
{
    constexpr std::size_t kCrcBytes = 2;
    replyLength_ = 0;
    if (port_.readBytes(dataBytes + kCrcBytes) != kOk)
        return kNoReply;
    if (crc16(port_.reply().first(dataBytes + kCrcBytes)) != 0)
        return model().protocol.crcErrorResult;
    replyLength_ = dataBytes;
    return kOk;
}

int StationLink::readDataReply(std::size_t bytes)
{
    if (model().protocol.dataReplyCrc)
        return readCheckedReply(bytes);
    replyLength_ = 0;
    const int result = port_.readBlock(bytes);
    if (result == kOk)
        replyLength_ = bytes;
    return result;
}

int StationLink::runTimedWrite(const std::function<int()>& body)
{
    const int begin = sendCommand(protocol::kBeginTimedWrite);
    if (begin < 0)
        return begin;
    const int result = body();
    const int end = sendCommand(protocol::kEndTimedWrite);
    return result < 0 ? result : end;
}

int StationLink::dialStation(std::string_view number, const ModemDialSettings& settings,
                             const StationMessages& messages)
{
    const DialCheck check =
        model().protocol.dialReadsResult ? DialCheck::AwaitResult : DialCheck::DialOnly;
    return station::dialStation(port_, number, settings, check, messages);
}

std::span<const std::uint8_t> StationLink::reply() const
{
    const std::span<const std::uint8_t> buffer = port_.reply();
    return buffer.first(std::min(replyLength_, buffer.size()));
}

} // namespace bv::station
