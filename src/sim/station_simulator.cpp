#include "sim/station_simulator.h"

#include <algorithm>
#include <optional>

#include "sim/memory_map.h"
#include "sim/wire_bytes.h"
#include "sim/xmodem_crc.h"

namespace bv::sim {

namespace {

constexpr int kNibbleBits = 4;
constexpr std::uint8_t kNibbleMask = 0x0F;
constexpr int kBitsPerByte = 8;
constexpr int kLoopCountBase = 0x10000;
constexpr std::uint64_t kFaultSeedSalt = 0xFA017ULL;
constexpr std::uint8_t kCorruptBit = 0x01;
constexpr std::uint8_t kNoiseByte = 0x7E;  // a stray byte in place of a block's start
constexpr std::uint8_t kStatusByte = 0x00; // what "SRD" reports; the program does not use it

// Selector low halves of "WRD" and "WWR".
constexpr int kReadBank0 = 2;
constexpr int kReadBank1 = 4;
constexpr int kWriteBank0 = 1;
constexpr int kWriteBank1 = 3;

struct MemoryAccess {
    int bank;
    int address;
    int nibbles;
};

// "WRD" and "WWR": the nibble count in the selector's high half, the bank's
// code in its low half, then the address.
std::optional<MemoryAccess> stationAccess(const StationCommand& command, int bank0Code,
                                          int bank1Code)
{
    const std::uint8_t selector = command.args[0];
    const int nibbles = selector >> kNibbleBits;
    const int code = selector & kNibbleMask;
    if (nibbles == 0 || (code != bank0Code && code != bank1Code))
        return std::nullopt;
    return MemoryAccess{code == bank0Code ? 0 : 1, command.args[1], nibbles};
}

// The model number lives at the same place in both families.
constexpr Location kModelNumberAt = tirrel_map::kModelNumber;
static_assert(classic_map::kModelNumber.address == kModelNumberAt.address &&
              classic_map::kModelNumber.bank == kModelNumberAt.bank);

} // namespace

StationSimulator::StationSimulator(const StationConfig& config)
    : station_(config), framer_(config.model.commandCrc),
      faults_(config.weather.seed ^ kFaultSeedSalt)
{
    line_.baud = config.baud;
}

void StationSimulator::onOpen(const platform::LineSettings& settings)
{
    line_ = settings;
    framer_.reset();
    dump_.stop();
}

void StationSimulator::onBytes(std::span<const std::uint8_t> bytes, LineOutput& out)
{
    const bool understood = line_.baud == station_.config().baud && line_.dataBits == 8 &&
                            line_.parity == platform::Parity::None;
    if (!understood)
        return;
    station_.advanceTo(out.nowMs());
    for (std::uint8_t b : bytes)
        onByte(b, out);
}

void StationSimulator::onByte(std::uint8_t byte, LineOutput& out)
{
    if (dump_.active()) {
        onDumpByte(byte, out);
        if (dump_.active())
            return;
    }
    if (auto event = framer_.feed(byte, out.nowMs()))
        onFrame(*event, out);
}

void StationSimulator::onDumpByte(std::uint8_t byte, LineOutput& out)
{
    if (byte == wire::kAck && faults_.take(FaultKind::RepeatBlock, FaultPlan::kBlockReply))
        dump_.holdBlock();
    const DumpSession::Action action = dump_.onByte(byte);
    if (action == DumpSession::Action::SendBlock)
        sendBlock(out);
    else if (action == DumpSession::Action::NotMine)
        dump_.stop();
}

void StationSimulator::onFrame(const FrameEvent& event, LineOutput& out)
{
    if (event.kind != FrameEvent::Kind::Command) {
        ++refusedFrames_;
        const std::uint8_t refusal =
            event.kind == FrameEvent::Kind::BadCrc ? wire::kCrcRefused : wire::kRefused;
        send(Reply({refusal}), "", out);
        return;
    }
    const StationCommand& command = event.command;
    received_.push_back({command.word, command.args, out.nowMs()});
    if (faults_.take(FaultKind::Silence, command.word))
        return;
    if (const auto nak = faults_.take(FaultKind::Nak, command.word)) {
        send(Reply({nak->nakByte}), "", out);
        return;
    }
    send(execute(command), command.word, out);
}

StationSimulator::Reply StationSimulator::execute(const StationCommand& command)
{
    const std::string& w = command.word;
    const auto& args = command.args;
    const LoggerLayout& logger = station_.archive().logger();
    if (w == "WRD")
        return readStation(command);
    if (w == "WWR")
        return writeStation(command);
    if (w == "RRD")
        return readLogger(command);
    if (w == "RWR")
        return writeLogger(command);
    if (w == "LOOP")
        return startLoop(command);
    if (w == "DMP") {
        dump_.arm();
        return Reply({wire::kAck});
    }
    if (w == "SRD")
        return withData({kStatusByte}, true);
    if (w == "SSP")
        station_.loggerMemory().setValue(logger.samplePeriod, args[0]);
    else if (w == "SAP")
        station_.loggerMemory().setValue(logger.archivePeriod, args[0]);
    else if (w == "DBT" || w == "EBT")
        station_.setArchivingPaused(w == "DBT");
    return Reply({wire::kAck});
}

StationSimulator::Reply StationSimulator::withData(std::vector<std::uint8_t> data, bool crc) const
{
    data.insert(data.begin(), wire::kAck);
    Reply reply(std::move(data), crc);
    if (crc)
        appendCrc(reply.bytes, 1);
    return reply;
}

StationSimulator::Reply StationSimulator::readStation(const StationCommand& command)
{
    const auto at = stationAccess(command, kReadBank0, kReadBank1);
    if (!at)
        return Reply({wire::kRefused});
    NibbleMemory memory = station_.stationMemory();
    if (NibbleMemory::overlaps(kModelNumberAt, at->bank, at->address, at->nibbles)) {
        if (const auto wrong = faults_.take(FaultKind::WrongModelNumber, command.word))
            memory.setValue(kModelNumberAt, wrong->modelNumber);
    }
    return withData(memory.readBytes(at->bank, at->address, at->nibbles), station_.model().dataCrc);
}

StationSimulator::Reply StationSimulator::writeStation(const StationCommand& command)
{
    const auto at = stationAccess(command, kWriteBank0, kWriteBank1);
    if (!at)
        return Reply({wire::kRefused});
    const auto data = std::span<const std::uint8_t>(command.args).subspan(2);
    station_.stationMemory().writeBytes(at->bank, at->address, at->nibbles, data);
    station_.afterStationWrite(at->bank, at->address, at->nibbles);
    return Reply({wire::kAck});
}

StationSimulator::Reply StationSimulator::readLogger(const StationCommand& command)
{
    const int bank = command.args[0];
    const int address = command.args[1];
    const int nibbles = command.args[2] + 1;
    if (bank >= NibbleMemory::kBankCount)
        return Reply({wire::kRefused});
    return withData(station_.loggerMemory().readBytes(bank, address, nibbles),
                    station_.model().dataCrc);
}

StationSimulator::Reply StationSimulator::writeLogger(const StationCommand& command)
{
    const std::uint8_t selector = command.args[0];
    const int bank = selector >> kNibbleBits;
    const int address = command.args[1];
    const int nibbles = (selector & kNibbleMask) + 1;
    if (bank >= NibbleMemory::kBankCount)
        return Reply({wire::kRefused});
    const auto data = std::span<const std::uint8_t>(command.args).subspan(2);
    station_.loggerMemory().writeBytes(bank, address, nibbles, data);
    return Reply({wire::kAck});
}

StationSimulator::Reply StationSimulator::startLoop(const StationCommand& command)
{
    const int encoded = command.args[0] | command.args[1] << kBitsPerByte;
    const int count = kLoopCountBase - encoded; // 0x0000 asks for 65536
    Reply reply{{wire::kAck}, true};
    const auto first = station_.loopPacket();
    reply.bytes.insert(reply.bytes.end(), first.begin(), first.end());
    // Later packets of the run follow every kLoopIntervalMs; the station
    // serves at most kMaxLoopPackets of them.
    const std::int64_t now = station_.lineMs();
    for (int k = 1; k < std::min(count, kMaxLoopPackets); ++k) {
        const int after = k * kLoopIntervalMs;
        reply.later.push_back({station_.loopPacketAt(now + after), after});
    }
    return reply;
}

void StationSimulator::send(Reply reply, std::string_view replyTo, LineOutput& out)
{
    int delay = 0;
    if (reply.crcAtEnd) {
        if (faults_.take(FaultKind::CorruptCrc, replyTo))
            reply.bytes.back() ^= kCorruptBit;
    }
    if (const auto drop = faults_.take(FaultKind::DropBytes, replyTo))
        faults_.dropBytes(reply.bytes, *drop);
    if (const auto late = faults_.take(FaultKind::Late, replyTo))
        delay += late->delayMs;
    if (!reply.bytes.empty())
        out.send(reply.bytes, delay);
    for (const LaterBytes& later : reply.later)
        out.send(later.bytes, delay + later.afterMs);
}

void StationSimulator::sendBlock(LineOutput& out)
{
    constexpr std::string_view kBlock = FaultPlan::kBlockReply;
    if (faults_.take(FaultKind::Silence, kBlock))
        return;
    if (faults_.take(FaultKind::HangUp, kBlock)) {
        out.hangUp();
        return;
    }
    Reply reply(DumpSession::frameBlock(station_.archive(), dump_.currentBlock()), true);
    std::vector<std::uint8_t>& frame = reply.bytes;
    if (faults_.take(FaultKind::BadBlockNumber, kBlock)) {
        ++frame[1];
        frame[2] = static_cast<std::uint8_t>(~frame[1]);
    }
    if (faults_.take(FaultKind::BadBlockHeader, kBlock))
        frame[0] = kNoiseByte;
    if (const auto cut = faults_.take(FaultKind::CutBlock, kBlock)) {
        frame.resize(std::min(frame.size(), static_cast<std::size_t>(std::max(cut->cutAfter, 0))));
        reply.crcAtEnd = false;
    }
    send(std::move(reply), kBlock, out);
}

} // namespace bv::sim
