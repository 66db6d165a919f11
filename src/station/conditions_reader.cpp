#include "station/conditions_reader.h"

#include <array>

#include "station/protocol_bytes.h"
#include "station/result_codes.h"
#include "station/station_link.h"

namespace bv::station {

namespace {

constexpr int kRefused = -1;

// Classic stations keep a flag byte in bank 0 at address 72 whose bit 2 says the
// collector has more than 10 tips per inch.
constexpr MemoryLocation kClassicRainFlags{0, 72, 2};
constexpr int kClassicRainFlagsWriteNibbles = 1;
constexpr std::uint8_t kFineCollectorBit = 0x04;
constexpr int kCoarseTipsPerInch = 10;
constexpr int kTipsPerInchNibbles = 4;

} // namespace

std::optional<std::vector<std::uint8_t>> LinkMemoryReader::readMemory(const MemoryLocation& at)
{
    if (link_.readStation(at) < 0)
        return std::nullopt;
    const std::span<const std::uint8_t> reply = link_.reply();
    return std::vector<std::uint8_t>(reply.begin(), reply.end());
}

ConditionsReader::ConditionsReader(StationLink& link, units::StationFamily family)
    : link_(link), memoryReader_(link), units_{family, {}, {}}
{
}

void ConditionsReader::useRainCollector(const RainCollector& collector, units::RainUnit rainUnit)
{
    units_.collector = collector;
    units_.selection.rain = rainUnit;
}

int ConditionsReader::setRainCollector(double amount, CollectorUnit unit, units::RainUnit rainUnit)
{
    const std::optional<RainCollector> collector = RainCollector::fromAmount(amount, unit);
    if (!collector)
        return kRefused;
    return setRainCollector(*collector, rainUnit);
}

int ConditionsReader::setRainCollector(const RainCollector& collector, units::RainUnit rainUnit)
{
    useRainCollector(collector, rainUnit);
    return sendRainCollector(collector) < 0 ? kNoAnswer : kDone;
}

std::optional<std::vector<std::uint8_t>> ConditionsReader::readPacket(std::size_t size)
{
    if (link_.readPacket(size) < 0)
        return std::nullopt;
    const std::span<const std::uint8_t> reply = link_.reply();
    return std::vector<std::uint8_t>(reply.begin(), reply.end());
}

void ConditionsReader::refreshCalibration(bool recalibrate, const CalibrationRead& read)
{
    if (!recalibrate && !calibrationStale_)
        return;
    if (const std::optional<CalibrationOffsets> offsets = read()) {
        calibration_ = *offsets;
        calibrationStale_ = false;
    } else {
        calibrationStale_ = true;
    }
}

TirrelConditionsReader::TirrelConditionsReader(StationLink& link, const platform::Clock& clock)
    : ConditionsReader(link, units::StationFamily::Tirrel), memory_(memoryReader_, units_, clock)
{
}

int TirrelConditionsReader::readLoop(TirrelConditions& record, bool recalibrate)
{
    return readLoopInto(record, recalibrate, kTirrelLoopSize, decodeTirrelLoop,
                        [this] { return memory_.readCalibration(); });
}

int TirrelConditionsReader::sendRainCollector(const RainCollector& collector)
{
    const MemoryLocation tips{1, link_.model().memory.rainTipsAddress, kTipsPerInchNibbles};
    return link_.writeStation(tips, static_cast<std::uint32_t>(collector.tipsPerInch()));
}

ClassicConditionsReader::ClassicConditionsReader(StationLink& link)
    : ConditionsReader(link, units::StationFamily::Classic), memory_(memoryReader_, units_)
{
}

int ClassicConditionsReader::readLoop(ClassicConditions& record, bool recalibrate)
{
    return readLoopInto(record, recalibrate, kClassicLoopSize, decodeClassicLoop,
                        [this] { return memory_.readCalibration(); });
}

int ClassicConditionsReader::sendRainCollector(const RainCollector& collector)
{
    std::uint32_t flags = 0;
    if (link_.readStation(kClassicRainFlags, flags) < 0)
        return kNoAnswer;
    const int tipsPerInch = collector.tipsPerInch();
    const MemoryLocation tips{1, link_.model().memory.rainTipsAddress, kTipsPerInchNibbles};
    if (link_.writeStation(tips, static_cast<std::uint32_t>(tipsPerInch)) < 0)
        return kNoAnswer;
    if (tipsPerInch > kCoarseTipsPerInch)
        flags |= kFineCollectorBit;
    else
        flags &= ~std::uint32_t{kFineCollectorBit};
    const std::array<std::uint8_t, 1> flagByte{static_cast<std::uint8_t>(flags)};
    return link_.writeStation(
        protocol::writeSelector(kClassicRainFlags.bank, kClassicRainFlagsWriteNibbles),
        static_cast<std::uint8_t>(kClassicRainFlags.address), flagByte);
}

} // namespace bv::station
