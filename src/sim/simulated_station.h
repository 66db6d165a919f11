#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/clock.h"
#include "sim/archive_ring.h"
#include "sim/nibble_memory.h"
#include "sim/raw_sample.h"
#include "sim/simulated_model.h"
#include "sim/station_clock.h"
#include "sim/station_family.h"
#include "sim/station_totals.h"
#include "sim/weather_model.h"

namespace bv::sim {

struct StationConfig {
    SimulatedModel model = simulatedModels()[5]; // Tirrel E
    // Local wall-clock time at line time 0; the station's clock starts right.
    platform::WallTime start{2026, 6, 15, 9, 0, 0, 0, 1};
    WeatherSettings weather;
    int archivePeriodMin = 30;
    // Hours of weather the station has already logged at the start, so the
    // archive holds records from the first download on.
    int historyHours = 24;
    bool leafProbe = false; // Tirrel: a leaf-wetness probe in place of the soil probe
    MissingSensors missing;
    int baud = 2400; // the line rate the station's serial port runs at
};

// The station itself: its memories, clock, sensors, totals, the day's highs and
// lows and the archive ring, run forward in 10-second samples. Nothing here
// knows about bytes on the line; StationSimulator speaks the protocol.
class SimulatedStation {
  public:
    explicit SimulatedStation(const StationConfig& config);

    const SimulatedModel& model() const { return config_.model; }
    const StationConfig& config() const { return config_; }
    const StationFamily& family() const { return *family_; }

    // Runs the station up to lineMs (milliseconds since the start time). Time
    // never goes back; an earlier time changes nothing.
    void advanceTo(std::int64_t lineMs);
    std::int64_t lineMs() const { return trueMs_ - startMs_; }

    NibbleMemory& stationMemory() { return station_; }
    const NibbleMemory& stationMemory() const { return station_; }
    NibbleMemory& loggerMemory() { return logger_; }
    const NibbleMemory& loggerMemory() const { return logger_; }
    const ArchiveRing& archive() const { return archive_; }

    platform::WallTime stationTime() const { return clock_.stationTime(trueMs_); }
    const RawSample& currentSample() const { return sample_; }
    const StationTotals& totals() const { return totals_; }

    // The LOOP packet of now, and one of a later packet of the same run:
    // readings at that line time, totals as of now.
    std::vector<std::uint8_t> loopPacket() const;
    std::vector<std::uint8_t> loopPacketAt(std::int64_t lineMs) const;

    // The program wrote station memory: a write into the clock sets the clock.
    void afterStationWrite(int bank, int address, int nibbles);
    // Between "DBT" and "EBT" the station takes samples but logs no records.
    void setArchivingPaused(bool paused) { archivingPaused_ = paused; }
    bool archivingPaused() const { return archivingPaused_; }

  private:
    void step(std::int64_t toMs);
    void startDay(const platform::WallTime& at);
    void archiveIfDue(const platform::WallTime& at);
    void publish();
    StationSnapshot snapshot(const RawSample& sample) const;
    int barometerTrend() const;

    StationConfig config_;
    std::unique_ptr<StationFamily> family_;
    WeatherModel weather_;
    StationClock clock_;
    NibbleMemory station_;
    NibbleMemory logger_;
    ArchiveRing archive_;
    StationTotals totals_;
    RawSample sample_;
    MissingSensors missing_;
    std::int64_t startMs_;
    std::int64_t trueMs_;
    std::int64_t stationDay_ = 0;
    double rainTipCarry_ = 0;
    std::uint32_t sampleCount_ = 0;
    bool archivingPaused_ = false;
};

} // namespace bv::sim
