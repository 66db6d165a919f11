#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/clock.h"
#include "sim/archive_ring.h"
#include "sim/day_extremes.h"
#include "sim/simulated_model.h"
#include "sim/station_clock.h"
#include "sim/station_totals.h"

namespace bv::sim {

// What the station knows at one moment, for the encoders below.
struct StationSnapshot {
    RawSample sample;
    const StationTotals* totals = nullptr;
    int trendBits = 0;             // barometer trend: 1 steady, 2 rising, 4 falling
    std::uint32_t sampleCount = 0; // samples taken since power-up
    int archivePointer = 0;        // byte offset of the next archive record
    bool leafProbe = false;        // Tirrel: the leaf-wetness probe replaces the soil probe
};

struct DegreeDayLimits {
    int baseTenthsF = 0;
    int ceilingTenthsF = 0;
};

// Where a station family keeps its values and how it encodes them: memory
// locations, LOOP packet, archive record. The two families differ here and
// nowhere else.
class StationFamily {
  public:
    virtual ~StationFamily() = default;

    virtual ClockLayout clockLayout() const = 0;
    virtual LoggerLayout loggerLayout() const = 0;
    virtual int recordSize() const = 0;
    virtual int ringRecords() const = 0;
    virtual std::span<const ExtremeSlot> extremeSlots() const = 0;

    // Factory contents: model number, calibrations, sensor configuration.
    virtual void initializeMemory(NibbleMemory& station, std::uint8_t modelNumber,
                                  bool leafProbe) const = 0;
    // Tips per inch of the rain collector, as the program last set it.
    virtual int tipsPerInch(const NibbleMemory& station) const = 0;
    // nullopt when the family keeps no degree days.
    virtual std::optional<DegreeDayLimits> degreeDayLimits(const NibbleMemory& station) const = 0;
    // Current values, daily and long-run totals, barometer trend.
    virtual void writeReadings(NibbleMemory& station, const StationSnapshot& s) const = 0;
    // A whole LOOP packet: start byte, values, CRC.
    virtual std::vector<std::uint8_t> loopPacket(const StationSnapshot& s) const = 0;
    virtual std::vector<std::uint8_t> archiveRecord(const PeriodSummary& period,
                                                    const platform::WallTime& stamp,
                                                    bool leafProbe) const = 0;
};

std::unique_ptr<StationFamily> makeStationFamily(Family family);

} // namespace bv::sim
