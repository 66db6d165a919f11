#include "sim/classic_family.h"

#include <algorithm>

#include "sim/byte_packing.h"
#include "sim/memory_map.h"
#include "sim/wire_bytes.h"
#include "sim/xmodem_crc.h"

namespace bv::sim {

namespace {

using namespace classic_map;

constexpr int kNoTemp = 0x7FFF;
constexpr int kNoHighTemp = -0x8000;
constexpr int kNoDirection = 0x8000;
constexpr int kNoHumidity = 128;
constexpr int kNoLowHumidity = 127;
constexpr int kNoByte = 255;
constexpr int kNoBarometer = 0x8000;
constexpr int kFineCollectorBit = 0x4; // set when more than 10 tips make an inch
constexpr int kDefaultTipsPerInch = 100;
constexpr int kCoarseTipsPerInch = 10;
constexpr std::uint32_t kLowByteMask = 0xFF;
constexpr int kSignedByteWrap = 256;
constexpr int kSignedByteMax = 127;

constexpr ExtremeSlot kSlots[] = {
    {Reading::InsideTemp, true, kHighInsideTemp, true, kNoHighTemp, kHighInsideTempStamp},
    {Reading::InsideTemp, false, kLowInsideTemp, true, kNoTemp, kLowInsideTempStamp},
    {Reading::OutsideTemp, true, kHighOutsideTemp, true, kNoHighTemp, kHighOutsideTempStamp},
    {Reading::OutsideTemp, false, kLowOutsideTemp, true, kNoTemp, kLowOutsideTempStamp},
    {Reading::InsideHumidity, true, kHighInsideHumidity, false, kNoHumidity,
     kHighInsideHumidityStamp},
    {Reading::InsideHumidity, false, kLowInsideHumidity, false, kNoLowHumidity,
     kLowInsideHumidityStamp},
    {Reading::OutsideHumidity, true, kHighOutsideHumidity, false, kNoHumidity,
     kHighOutsideHumidityStamp},
    {Reading::OutsideHumidity, false, kLowOutsideHumidity, false, kNoLowHumidity,
     kLowOutsideHumidityStamp},
    {Reading::DewPoint, true, kHighDewPoint, true, kNoHighTemp, kHighDewPointStamp},
    {Reading::DewPoint, false, kLowDewPoint, true, kNoTemp, kLowDewPointStamp},
    {Reading::WindSpeed, true, kHighWindSpeed, false, 0, kHighWindStamp},
    {Reading::WindChill, false, kLowWindChill, true, kNoTemp, kLowWindChillStamp},
};

std::uint8_t byteOf(int v)
{
    return static_cast<std::uint8_t>(std::clamp(v, 0, kNoByte));
}

} // namespace

ClockLayout ClassicFamily::clockLayout() const
{
    return {kClockHour, kClockMinute, kClockSecond, kDateDay, kDateMonth, std::nullopt};
}

LoggerLayout ClassicFamily::loggerLayout() const
{
    return {kWrapFlag, kNewRecordPointer, kSamplePeriod, kArchivePeriod, kLastArchiveMinute};
}

std::span<const ExtremeSlot> ClassicFamily::extremeSlots() const
{
    return kSlots;
}

void ClassicFamily::initializeMemory(NibbleMemory& station, std::uint8_t modelNumber, bool) const
{
    station.setValue(kModelNumber, modelNumber);
    station.setValue(kCollectorFlags, kFineCollectorBit);
    station.setValue(kRainCalibration, kDefaultTipsPerInch);
}

int ClassicFamily::tipsPerInch(const NibbleMemory& station) const
{
    int tips = static_cast<int>(station.value(kRainCalibration) & kLowByteMask);
    if (tips > kSignedByteMax)
        tips -= kSignedByteWrap;
    if (tips > 0)
        return tips;
    return (station.value(kCollectorFlags) & kFineCollectorBit) != 0 ? kDefaultTipsPerInch
                                                                     : kCoarseTipsPerInch;
}

std::optional<DegreeDayLimits> ClassicFamily::degreeDayLimits(const NibbleMemory&) const
{
    return std::nullopt; // the classic stations keep no degree days
}

void ClassicFamily::writeReadings(NibbleMemory& station, const StationSnapshot& s) const
{
    const RawSample& r = s.sample;
    station.setValue(kDewPoint, orMarker(r[Reading::DewPoint], kNoTemp));
    station.setValue(kWindChill, orMarker(r[Reading::WindChill], kNoTemp));
    station.setValue(kWindDirection, orMarker(r[Reading::WindDirection], kNoDirection));
    station.setValue(kRainRate, orMarker(r[Reading::RainRateTips], 0));
    station.setValue(kDailyRain, s.totals->daily.rainTips);
    station.setValue(kBarometerTrend, s.trendBits);
}

std::vector<std::uint8_t> ClassicFamily::loopPacket(const StationSnapshot& s) const
{
    const RawSample& r = s.sample;
    std::vector<std::uint8_t> p{wire::kStartOfBlock};
    putLittleEndian(p, orMarker(r[Reading::InsideTemp], kNoTemp), 2);
    putLittleEndian(p, orMarker(r[Reading::OutsideTemp], kNoTemp), 2);
    p.push_back(byteOf(orMarker(r[Reading::WindSpeed], 0)));
    putLittleEndian(p, orMarker(r[Reading::WindDirection], kNoDirection), 2);
    putLittleEndian(p, orMarker(r[Reading::Barometer], 0), 2);
    p.push_back(byteOf(orMarker(r[Reading::InsideHumidity], kNoHumidity)));
    p.push_back(byteOf(orMarker(r[Reading::OutsideHumidity], kNoHumidity)));
    putLittleEndian(p, s.totals->total.rainTips, 2);
    putLittleEndian(p, 0, 2); // reserved
    appendCrc(p, 1);
    return p;
}

std::vector<std::uint8_t> ClassicFamily::archiveRecord(const PeriodSummary& period,
                                                       const platform::WallTime& stamp, bool) const
{
    std::vector<std::uint8_t> rec;
    putLittleEndian(rec, orMarker(period.average(Reading::Barometer), kNoBarometer), 2);
    rec.push_back(byteOf(orMarker(period.average(Reading::InsideHumidity), kNoHumidity)));
    rec.push_back(byteOf(orMarker(period.average(Reading::OutsideHumidity), kNoHumidity)));
    putLittleEndian(rec, period.amounts.rainTips, 2);
    putLittleEndian(rec, orMarker(period.average(Reading::InsideTemp), kNoTemp), 2);
    putLittleEndian(rec, orMarker(period.average(Reading::OutsideTemp), kNoTemp), 2);
    rec.push_back(byteOf(orMarker(period.average(Reading::WindSpeed), 0)));
    rec.push_back(static_cast<std::uint8_t>(compassIndex(period.prevailingDirection(), kNoByte)));
    putLittleEndian(rec, orMarker(period.highest(Reading::OutsideTemp), kNoTemp), 2);
    rec.push_back(byteOf(orMarker(period.highest(Reading::WindSpeed), 0)));
    rec.push_back(toBcd(stamp.hour));
    rec.push_back(toBcd(stamp.minute));
    rec.push_back(toBcd(stamp.day));
    rec.push_back(static_cast<std::uint8_t>(stamp.month));
    putLittleEndian(rec, orMarker(period.lowest(Reading::OutsideTemp), kNoTemp), 2);
    return rec;
}

} // namespace bv::sim
