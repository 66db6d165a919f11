#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "sim/command_framer.h"
#include "sim/dump_session.h"
#include "sim/fault_plan.h"
#include "sim/line_peer.h"
#include "sim/simulated_station.h"

namespace bv::sim {

struct ReceivedCommand {
    std::string word;
    std::vector<std::uint8_t> args;
    std::int64_t lineMs = 0;
};

// A weather station at the far end of a serial line: answers the command
// protocol of its family the way the station does (framing, acknowledgement
// bytes, CRC rules, LOOP packets, memory reads and writes, archive dump) on
// top of a SimulatedStation, with faults injected as planned.
//
//   sim::StationConfig config;
//   config.model = *sim::findSimulatedModel("Carrow III");
//   config.start = {2026, 3, 12, 14, 30};
//   sim::StationSimulator station(config);
//   station.faults().add(sim::FaultRule(sim::FaultKind::Silence).on("LOOP"));
//
// The station only understands the line settings it was built for (8-N-1 at
// config.baud); opened any other way it hears noise and never answers.
class StationSimulator : public LinePeer {
  public:
    static constexpr int kMaxLoopPackets = 100;
    static constexpr int kLoopIntervalMs = 2000;

    explicit StationSimulator(const StationConfig& config);

    void onOpen(const platform::LineSettings& settings) override;
    void onBytes(std::span<const std::uint8_t> bytes, LineOutput& out) override;

    SimulatedStation& station() { return station_; }
    const SimulatedStation& station() const { return station_; }
    FaultPlan& faults() { return faults_; }
    // Every well-formed command heard, in order.
    const std::vector<ReceivedCommand>& received() const { return received_; }
    // Frames refused for a wrong CRC or as garbled.
    int refusedFrames() const { return refusedFrames_; }

  private:
    struct LaterBytes {
        std::vector<std::uint8_t> bytes;
        int afterMs = 0; // counted from the reply
    };
    struct Reply {
        explicit Reply(std::vector<std::uint8_t> replyBytes, bool withCrc = false)
            : bytes(std::move(replyBytes)), crcAtEnd(withCrc)
        {
        }
        std::vector<std::uint8_t> bytes;
        bool crcAtEnd;
        std::vector<LaterBytes> later; // further LOOP packets
    };

    void onByte(std::uint8_t byte, LineOutput& out);
    void onFrame(const FrameEvent& event, LineOutput& out);
    void onDumpByte(std::uint8_t byte, LineOutput& out);
    Reply execute(const StationCommand& command);
    Reply readStation(const StationCommand& command);
    Reply writeStation(const StationCommand& command);
    Reply readLogger(const StationCommand& command);
    Reply writeLogger(const StationCommand& command);
    Reply startLoop(const StationCommand& command);
    Reply withData(std::vector<std::uint8_t> data, bool crc) const;
    void send(Reply reply, std::string_view replyTo, LineOutput& out);
    void sendBlock(LineOutput& out);

    SimulatedStation station_;
    CommandFramer framer_;
    DumpSession dump_;
    FaultPlan faults_;
    platform::LineSettings line_;
    std::vector<ReceivedCommand> received_;
    int refusedFrames_ = 0;
};

} // namespace bv::sim
