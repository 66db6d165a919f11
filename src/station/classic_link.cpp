#include "station/classic_link.h"

#include "station/protocol_bytes.h"
#include "station/result_codes.h"
#include "station/serial_port.h"

namespace bv::station {

namespace {

// Writes the word, then each argument byte on its own, then the carriage return.
bool writeCommand(SerialPort& port, std::string_view word, std::span<const std::uint8_t> bytes)
{
    if (port.writeBytes(bytes.first(word.size())) != kOk)
        return false;
    for (std::uint8_t byte : bytes.subspan(word.size()))
        if (port.writeByte(byte) != kOk)
            return false;
    return true;
}

} // namespace

ClassicLink::ClassicLink(ClassicPort& port) : StationLink(port) {}

const StationModel& ClassicLink::model() const
{
    return classicModel();
}

int ClassicLink::transact(const Command& command)
{
    bool accepted = false;
    for (int attempt = 0; attempt < model().protocol.commandAttempts && !accepted; ++attempt) {
        drain();
        // A line that takes no bytes will not take them a second time.
        if (!writeCommand(port(), command.word, buildCommand(command)))
            return kNoReply;
        const int byte = port().readByte();
        accepted = byte == protocol::kAck;
        if (byte >= 0 && !accepted)
            port().setLastError(PortError::UnexpectedAck);
    }
    if (!accepted)
        return kNoReply;
    if (command.replyBytes == 0)
        return model().protocol.ackResult;
    return readDataReply(command.replyBytes);
}

int ClassicLink::sendDump()
{
    const int result = StationLink::sendDump();
    return result < 0 ? kDumpRefused : result;
}

} // namespace bv::station
