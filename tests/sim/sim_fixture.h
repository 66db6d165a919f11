#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "recording_output.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"

namespace bv::sim::test {

// A station simulator on a recording line, spoken to as the program frames
// its commands.
struct StationLine {
    explicit StationLine(const StationConfig& config) : sim(config) {}
    explicit StationLine(const char* modelName, int historyHours = 0)
        : StationLine(configFor(modelName, historyHours))
    {
    }

    static StationConfig configFor(const char* modelName, int historyHours = 0)
    {
        StationConfig c;
        c.model = *findSimulatedModel(modelName);
        c.historyHours = historyHours;
        return c;
    }

    std::vector<std::uint8_t> command(const std::string& word,
                                      const std::vector<std::uint8_t>& args = {})
    {
        return exchange(sim, out, frameCommand(word, args, sim.station().model().commandCrc));
    }
    std::vector<std::uint8_t> send(const std::vector<std::uint8_t>& raw)
    {
        return exchange(sim, out, raw);
    }
    // Moves line time on and lets the station catch up.
    void advance(std::int64_t ms)
    {
        out.now += ms;
        sim.station().advanceTo(out.now);
    }
    // The data bytes of a memory read: the acknowledgement and any CRC removed.
    std::vector<std::uint8_t> readData(const std::string& word,
                                       const std::vector<std::uint8_t>& args)
    {
        auto reply = command(word, args);
        if (reply.empty() || reply[0] != 0x06)
            return {};
        reply.erase(reply.begin());
        if (sim.station().model().dataCrc)
            reply.resize(reply.size() - 2);
        return reply;
    }

    StationSimulator sim;
    RecordingOutput out;
};

} // namespace bv::sim::test
