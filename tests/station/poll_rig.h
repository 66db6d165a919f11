#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/base/config_record.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"
#include "station/station_session.h"
#include "support/memory_wire.h"
#include "support/scripted_ui.h"
#include "support/virtual_time.h"

namespace bv::station::testing {

// The simulated station, with the LOOP packets it sends replaced by scripted
// ones while any are queued.
class LoopOverride : public sim::LinePeer, private sim::LineOutput {
  public:
    explicit LoopOverride(sim::StationSimulator& station) : station_(station) {}

    void queuePacket(std::vector<std::uint8_t> packet) { packets_.push_back(std::move(packet)); }
    std::size_t queuedPackets() const { return packets_.size(); }
    // The packet that followed the last acknowledged LOOP, as sent.
    const std::vector<std::uint8_t>& lastPacket() const { return lastPacket_; }

    void onOpen(const platform::LineSettings& settings) override { station_.onOpen(settings); }
    void onBytes(std::span<const std::uint8_t> bytes, sim::LineOutput& out) override;

  private:
    void send(std::span<const std::uint8_t> bytes, int delayMs) override;
    std::int64_t nowMs() const override { return out_->nowMs(); }
    void hangUp() override { out_->hangUp(); }

    sim::StationSimulator& station_;
    std::deque<std::vector<std::uint8_t>> packets_;
    std::vector<std::uint8_t> lastPacket_;
    sim::LineOutput* out_ = nullptr;
};

inline constexpr platform::WallTime kPollStart{2026, 6, 15, 9, 0, 0, 0, 1};

sim::StationConfig simulatedStation(int modelCode);

// A station session on one in-memory wire to a simulated station of the
// configured model, on virtual time; port n is the path "COMn".
struct PollRig {
    explicit PollRig(int modelCode);

    PortServices services();
    // One poll with the settings of config; the port is closed afterwards, as
    // the transfer cycle does.
    int poll();
    // The station commands heard with this word.
    int commandsHeard(std::string_view word) const;
    sim::SimulatedStation& station() { return simulator.station(); }

    app::ConfigRecord config;
    testsupport::VirtualTime time{kPollStart};
    testsupport::ScriptedUi ui;
    sim::StationSimulator simulator;
    LoopOverride peer{simulator};
    testsupport::MemoryWire wire{time, peer};
    std::vector<std::string> events;
    std::vector<std::string> statuses;
    StationSession session{
        services(), StationMessages{[this](const std::string& text) { statuses.push_back(text); },
                                    [this](const std::string& text) { events.push_back(text); }}};
    CurrentConditions& conditions = session.conditions();
};

} // namespace bv::station::testing
