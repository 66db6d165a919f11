#pragma once

#include "sim/station_family.h"

namespace bv::sim {

// Ostrel II, Carrow III, Carrow II and Lunett: 18-byte LOOP packets, 21-byte
// archive records, 16-bit temperatures, BCD times and dates for highs and lows.
class ClassicFamily : public StationFamily {
  public:
    ClockLayout clockLayout() const override;
    LoggerLayout loggerLayout() const override;
    int recordSize() const override { return 21; }
    int ringRecords() const override { return 1560; }
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
