#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "platform/clock.h"
#include "station/conditions.h"
#include "station/conditions_units.h"
#include "station/loop_packet.h"
#include "station/station_memory_classic.h"
#include "station/station_memory_tirrel.h"
#include "station/station_memory_values.h"

namespace bv::station {

class StationLink;

// Station memory read with "WRD" over a protocol engine.
class LinkMemoryReader : public MemoryReader {
  public:
    explicit LinkMemoryReader(StationLink& link) : link_(link) {}
    std::optional<std::vector<std::uint8_t>> readMemory(const MemoryLocation& at) override;

  private:
    StationLink& link_;
};

// What a protocol engine keeps between polls to read current conditions: the
// units selection, the rain collector and the calibration offsets, with a flag
// that says the offsets must be read again (set at start, cleared once read).
// One reader per family lives as long as its engine.
class ConditionsReader {
  public:
    ConditionsReader(StationLink& link, units::StationFamily family);
    virtual ~ConditionsReader() = default;
    ConditionsReader(const ConditionsReader&) = delete;
    ConditionsReader& operator=(const ConditionsReader&) = delete;

    // The units readings are converted to from now on. Nothing is sent to the station.
    void setUnits(const units::UnitsSelection& selection) { units_.selection = selection; }
    // Takes the collector for the conversions and sets the rain display unit;
    // nothing is sent.
    void useRainCollector(const RainCollector& collector, units::RainUnit rainUnit);
    // Checks and takes the amount per tip (CollectorUnit), sets the rain display
    // unit and sends the tips per inch to the station. kDone; -1 for an amount out
    // of range (nothing sent); kNoAnswer when the station did not take it.
    int setRainCollector(double amount, CollectorUnit unit, units::RainUnit rainUnit);
    int setRainCollector(const RainCollector& collector, units::RainUnit rainUnit);

    const ConditionsUnits& units() const { return units_; }
    const CalibrationOffsets& calibration() const { return calibration_; }

  protected:
    // Sends the collector's tips per inch in the family's way.
    virtual int sendRainCollector(const RainCollector& collector) = 0;
    using CalibrationRead = std::function<std::optional<CalibrationOffsets>()>;

    // Reads the packet that follows an acknowledged "LOOP" and decodes it; on
    // success reads the calibration offsets when asked or when they are stale,
    // applies them and fills record. A failed offset read keeps the offsets
    // last read and leaves them stale.
    template <class Record, class Decode>
    int readLoopInto(Record& record, bool recalibrate, std::size_t size, Decode decode,
                     const CalibrationRead& readCalibration)
    {
        const auto packet = readPacket(size);
        if (!packet)
            return kNoAnswer;
        LoopDecode<Record> decoded = decode(*packet, units_);
        if (decoded.result != kDone)
            return decoded.result;
        refreshCalibration(recalibrate, readCalibration);
        applyCalibration(decoded.conditions, calibration_);
        record = decoded.conditions;
        return kDone;
    }

    StationLink& link_;
    LinkMemoryReader memoryReader_;
    ConditionsUnits units_;

  private:
    std::optional<std::vector<std::uint8_t>> readPacket(std::size_t size);
    void refreshCalibration(bool recalibrate, const CalibrationRead& read);

    CalibrationOffsets calibration_;
    bool calibrationStale_ = true;
};

class TirrelConditionsReader : public ConditionsReader {
  public:
    TirrelConditionsReader(StationLink& link, const platform::Clock& clock);

    // Reads and decodes one LOOP packet into record, calibrated; the record is
    // left as it was unless the result is kDone. kNoAnswer, kBadPacketStart or
    // kTirrelCrcError otherwise.
    int readLoop(TirrelConditions& record, bool recalibrate);
    TirrelMemory& memory() { return memory_; }

  protected:
    int sendRainCollector(const RainCollector& collector) override;

  private:
    TirrelMemory memory_;
};

class ClassicConditionsReader : public ConditionsReader {
  public:
    explicit ClassicConditionsReader(StationLink& link);

    // As TirrelConditionsReader::readLoop; kClassicCrcError for a bad packet.
    int readLoop(ClassicConditions& record, bool recalibrate);
    ClassicMemory& memory() { return memory_; }

  protected:
    int sendRainCollector(const RainCollector& collector) override;

  private:
    ClassicMemory memory_;
};

} // namespace bv::station
