#pragma once

#include "sim/station_family.h"

namespace bv::sim {

// Tirrel D and Tirrel E: 36-byte LOOP packets, 32-byte archive records,
// 12-bit temperatures in station memory, time words for highs and lows.
class TirrelFamily : public StationFamily {
  public:
    ClockLayout clockLayout() const override;
    LoggerLayout loggerLayout() const override;
    int recordSize() const override { return 32; }
    int ringRecords() const override { return 1015; }
    std::span<const ExtremeSlot> extremeSlots() const override;
    void initializeMemory(NibbleMemory& station, std::uint8_t modelNumber,
                          bool leafProbe) const override;
    int tipsPerInch(const NibbleMemory& station) const override;
    std::optional<DegreeDayLimits> degreeDayLimits(const NibbleMemory& station) const override;
    void writeReadings(NibbleMemory& station, const StationSnapshot& s) const override;
    std::vector<std::uint8_t> loopPacket(const StationSnapshot& s) const override;
    std::vector<std::uint8_t> archiveRecord(const PeriodSummary& period,
                                            const platform::WallTime& stamp,
                                            bool leafProbe) const override;
};

} // namespace bv::sim
