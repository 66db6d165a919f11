#include "station/archive_download.h"

#include <map>
#include <tuple>

#include "station/archive_text.h"
#include "station/conditions_reader.h"
#include "station/result_codes.h"
#include "station/station_link.h"
#include "station/station_memory_classic.h"
#include "station/station_memory_tirrel.h"

namespace bv::station {

namespace {

constexpr std::uint8_t kNoStationByte = 205; // what a Tirrel's port answers with no station behind
constexpr std::uint32_t kLeafSensorBit = 0x4;
constexpr std::uint32_t kWrappedBit = 0x1;

// Reads each location once: the offsets are decoded twice, in the user's
// units and in °F.
class RememberingReader : public MemoryReader {
  public:
    explicit RememberingReader(MemoryReader& reader) : reader_(reader) {}
    std::optional<std::vector<std::uint8_t>> readMemory(const MemoryLocation& at) override
    {
        const auto key = std::tuple{at.bank, at.address, at.nibbles};
        const auto found = read_.find(key);
        if (found != read_.end())
            return found->second;
        auto bytes = reader_.readMemory(at);
        if (bytes)
            read_.emplace(key, *bytes);
        return bytes;
    }

  private:
    MemoryReader& reader_;
    std::map<std::tuple<int, int, int>, std::vector<std::uint8_t>> read_;
};

std::array<MemoryValueSpec, 4> offsetSpecs(StationFamily family)
{
    if (family == StationFamily::Tirrel) {
        const auto specs = tirrelMemoryValues();
        auto at = [&specs](TirrelValue v) { return specs[static_cast<std::size_t>(v)]; };
        return {at(TirrelValue::AirTempOffset), at(TirrelValue::SoilTempOffset),
                at(TirrelValue::HumidityOffset), at(TirrelValue::BarometerOffset)};
    }
    const auto specs = classicMemoryValues();
    auto at = [&specs](ClassicValue v) { return specs[static_cast<std::size_t>(v)]; };
    return {at(ClassicValue::OutsideTempOffset), at(ClassicValue::InsideTempOffset),
            at(ClassicValue::HumidityOffset), at(ClassicValue::BarometerOffset)};
}

bool stationAnswers(StationLink& link)
{
    const StationModel& model = link.model();
    if (link.readStation(model.memory.modelNumber) < 0 || link.reply().empty())
        return false;
    return !(model.family == StationFamily::Tirrel && link.reply()[0] == kNoStationByte);
}

bool readDecoding(StationLink& link, const ConditionsUnits& units, ArchiveDecoding& decoding)
{
    const StationModel& model = link.model();
    LinkMemoryReader wire(link);
    RememberingReader reader(wire);
    const auto specs = offsetSpecs(model.family);
    ConditionsUnits fahrenheit = units;
    fahrenheit.selection.temperature = units::TemperatureUnit::Fahrenheit;
    const auto offsets = readCalibrationOffsets(reader, units, specs);
    const auto offsetsF = readCalibrationOffsets(reader, fahrenheit, specs);
    if (!offsets || !offsetsF)
        return false;
    decoding.units = units;
    decoding.offsets = *offsets;
    decoding.offsetsF = *offsetsF;
    if (model.family == StationFamily::Tirrel) {
        std::uint32_t flags = 0;
        if (link.readStation(model.memory.leafSensorFlag, flags) < 0)
            return false;
        decoding.leafSensor = (flags & kLeafSensorBit) != 0;
    }
    return true;
}

} // namespace

DownloadPreparation prepareDownload(StationLink& link, const ConditionsUnits& units)
{
    using Result = DownloadPreparation::Result;
    DownloadPreparation prepared;
    if (!stationAnswers(link) || !readDecoding(link, units, prepared.decoding))
        return prepared;
    const ArchiveGeometry& geometry = link.model().archive;
    link.drain();
    std::uint32_t wrap = 0;
    std::uint32_t pointer = 0;
    if (link.readLogger(geometry.wrapFlag, wrap) < 0 ||
        link.readLogger(geometry.newRecordPointer, pointer) < 0)
        return prepared;
    const std::optional<DumpPlan> plan = planDump(geometry, (wrap & kWrappedBit) != 0, pointer);
    if (!plan)
        return prepared;
    prepared.plan = *plan;
    prepared.result = plan->blocks == 0 ? Result::Empty : Result::Ready;
    return prepared;
}

std::vector<ArchiveLine> archiveLines(std::span<const std::uint8_t> memory, const DumpPlan& plan,
                                      const StationModel& model, const ArchiveDecoding& decoding,
                                      const platform::WallTime& now,
                                      const units::RegionalSettings& regional)
{
    const ArchiveGeometry& geometry = model.archive;
    const auto size = static_cast<std::size_t>(geometry.recordSize);
    std::vector<ArchiveLine> lines;
    for (int i = 0; i < plan.records; ++i) {
        const auto offset =
            static_cast<std::size_t>((plan.firstRecord + i) % geometry.recordsInRing) * size;
        if (offset + size > memory.size())
            break;
        const auto bytes = memory.subspan(offset, size);
        ArchiveLine line;
        if (model.family == StationFamily::Tirrel) {
            const TirrelArchiveRecord r =
                decodeTirrelRecord(bytes.first<kTirrelRecordSize>(), decoding);
            if (!r.stamp.valid())
                continue;
            line.stamp = recordTime(r.stamp, now);
            line.text = archiveLine(r, line.stamp, regional);
        } else {
            const ClassicArchiveRecord r =
                decodeClassicRecord(bytes.first<kClassicRecordSize>(), decoding);
            if (!r.stamp.valid())
                continue;
            line.stamp = recordTime(r.stamp, now);
            line.text = archiveLine(r, line.stamp, regional);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace bv::station
