#pragma once

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "sim/line_peer.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"
#include "station/classic_link.h"
#include "station/result_codes.h"
#include "station/serial_port.h"
#include "station/tirrel_link.h"
#include "support/memory_wire.h"
#include "support/scripted_ui.h"
#include "support/virtual_time.h"

namespace bv::station::testing {

// Both port instances on one in-memory wire to a peer, on virtual time.
// Port n opens the path "COMn".
struct LinkRig {
    explicit LinkRig(sim::LinePeer& peer) : wire(time, peer) {}

    PortServices services()
    {
        return PortServices{time, time, ui, wire.factory(),
                            [](int port) { return "COM" + std::to_string(port); }};
    }
    std::int64_t now() const { return time.monotonicMs(); }

    testsupport::VirtualTime time;
    testsupport::ScriptedUi ui;
    testsupport::MemoryWire wire;
    TirrelPort tirrelPort{services()};
    ClassicPort classicPort{services()};
};

// A simulated station of one model, archiving every 10 minutes, with its
// model's engine on port 1 at 2400 baud, opened.
struct SimulatorRig {
    explicit SimulatorRig(const StationModel& model) : SimulatorRig(model, configFor(model)) {}
    SimulatorRig(const StationModel& model, const sim::StationConfig& config)
        : descriptor(model), simulator(config), rig(simulator)
    {
        if (model.family == StationFamily::Tirrel) {
            EXPECT_EQ(rig.tirrelPort.open(1, 2400, model.letter), PortResult::Done);
            link = std::make_unique<TirrelLink>(rig.tirrelPort);
        } else {
            EXPECT_EQ(rig.classicPort.open(1, 2400), PortResult::Done);
            link = std::make_unique<ClassicLink>(rig.classicPort);
        }
    }
    static sim::StationConfig configFor(const StationModel& model)
    {
        sim::StationConfig config;
        config.model = *sim::simulatedModelByCode(model.code);
        config.archivePeriodMin = 10;
        return config;
    }

    const StationModel& descriptor;
    sim::StationSimulator simulator;
    LinkRig rig;
    std::unique_ptr<StationLink> link;
};

} // namespace bv::station::testing
