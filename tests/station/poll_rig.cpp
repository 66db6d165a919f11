#include "poll_rig.h"

#include "station/loop_packet.h"
#include "station/protocol_bytes.h"

namespace bv::station::testing {

void LoopOverride::onBytes(std::span<const std::uint8_t> bytes, sim::LineOutput& out)
{
    out_ = &out;
    station_.onBytes(bytes, *this);
}

void LoopOverride::send(std::span<const std::uint8_t> bytes, int delayMs)
{
    const bool loopReply = !station_.received().empty() &&
                           station_.received().back().word == protocol::kLoop && !bytes.empty() &&
                           bytes[0] == protocol::kAck;
    if (!loopReply) {
        out_->send(bytes, delayMs);
        return;
    }
    if (packets_.empty()) {
        lastPacket_.assign(bytes.begin() + 1, bytes.end());
    } else {
        lastPacket_ = std::move(packets_.front());
        packets_.pop_front();
    }
    std::vector<std::uint8_t> reply{protocol::kAck};
    reply.insert(reply.end(), lastPacket_.begin(), lastPacket_.end());
    out_->send(reply, delayMs);
}

sim::StationConfig simulatedStation(int modelCode)
{
    sim::StationConfig config;
    config.model = *sim::simulatedModelByCode(modelCode);
    config.start = kPollStart;
    return config;
}

PollRig::PollRig(int modelCode) : simulator(simulatedStation(modelCode))
{
    config.stationModel = static_cast<std::int8_t>(modelCode);
}

int PollRig::poll()
{
    session.configure(stationSettingsFrom(config, session.settings().units));
    const int result = session.pollCurrentConditions();
    session.close();
    return result;
}

int PollRig::commandsHeard(std::string_view word) const
{
    int count = 0;
    for (const sim::ReceivedCommand& command : simulator.received())
        count += command.word == word ? 1 : 0;
    return count;
}

PortServices PollRig::services()
{
    return PortServices{time, time, ui, wire.factory(),
                        [](int port) { return "COM" + std::to_string(port); }};
}

} // namespace bv::station::testing
