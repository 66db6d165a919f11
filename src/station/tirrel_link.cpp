#include "station/tirrel_link.h"

#include "station/crc16.h"
#include "station/protocol_bytes.h"
#include "station/result_codes.h"
#include "station/serial_port.h"

namespace bv::station {

TirrelLink::TirrelLink(TirrelPort& port) : StationLink(port), tirrelPort_(port) {}

const StationModel& TirrelLink::model() const
{
    return tirrelModel(tirrelPort_.modelLetter());
}

int TirrelLink::transact(const Command& command)
{
    // Only RRD is sent again, and only after a CRC error in its reply.
    const int attempts = command.word == protocol::kReadLogger ? kRrdAttempts : 1;
    int result = kNoReply;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (attempt > 0)
            port().pause(kRrdRetryPauseMs);
        result = sendOnce(command);
        if (result != kTirrelCrcError)
            break;
    }
    return result;
}

int TirrelLink::sendOnce(const Command& command)
{
    drain();
    const std::span<const std::uint8_t> bytes = buildCommand(command);
    if (model().protocol.commandCrc) {
        // The CRC covers the carriage return and goes out first, low byte first.
        const std::uint16_t crc = crc16(bytes);
        if (port().writeByte(static_cast<std::uint8_t>(crc & 0xFF)) != kOk ||
            port().writeByte(static_cast<std::uint8_t>(crc >> 8)) != kOk)
            return kNoReply;
    }
    if (port().writeBytes(bytes) != kOk)
        return kNoReply;
    const int ack = takeAcknowledgement();
    if (ack < 0 || command.replyBytes == 0)
        return ack;
    return readDataReply(command.replyBytes);
}

int TirrelLink::takeAcknowledgement()
{
    const int byte = port().readByte();
    if (byte == protocol::kAck)
        return model().protocol.ackResult;
    if (byte < 0)
        return kNoReply;
    drain();
    if (byte == protocol::kBang)
        return kStationBang;
    if (byte == protocol::kCancel)
        return kStationCancel;
    return kStationOther;
}

} // namespace bv::station
