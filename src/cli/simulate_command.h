#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "platform/clock.h"

namespace bv::cli {

// What `viraraz simulate` was asked for; unset fields come from config.dat.
struct SimulateOptions {
    int modelCode = -1;      // -1: the configured model
    std::optional<int> port; // the configured port
    std::optional<int> baud;
    bool baudPacing = false;
    std::uint64_t seed = 1;
    std::optional<int> archivePeriodMin; // the station's own default (30) otherwise
    std::optional<int> historyHours;     // hours already logged at the start (24)
    std::optional<int> modemPort;        // serve the paging modem too, as ports/COMn
    // Local time the station's clock and weather start at; now otherwise. The
    // weather is a function of the seed and the time, so both fix it.
    std::optional<platform::WallTime> start;
};

// Parses the words after "simulate". An error names the offending word.
struct SimulateArgs {
    SimulateOptions options;
    std::string error; // empty when the words were good
};
SimulateArgs parseSimulateArgs(const std::vector<std::string>& args);

// viraraz simulate [--model NAME] [--port N] [--baud RATE] [--baud-pacing]
// [--seed S] [--archive-period MIN] [--history-hours H] [--modem N] [--start TIME]: serves a
// simulated station on a pseudo-terminal linked as ports/COMn in the station directory until SIGINT
// or SIGTERM, and with --modem a paging service's modem (sim::PagingService) on a second one linked
// as ports/COMN for `viraraz page` to send through. Model, port and baud rate default to
// config.dat's; where the station differs from them a note on err gives the "viraraz config set"
// that makes the programs poll it.
int runSimulateCommand(CommandContext& context);

} // namespace bv::cli
