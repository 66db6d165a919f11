#pragma once

#include <string>

#include "sim/line_peer.h"
#include "station/serial_port.h"
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

} // namespace bv::station::testing
