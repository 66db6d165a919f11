#include "sim/tirrel_family.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "sim/byte_packing.h"
#include "sim/memory_map.h"
#include "sim/wire_bytes.h"
#include "sim/xmodem_crc.h"

namespace bv::sim {

namespace {

using namespace tirrel_map;

// Raw markers of this family.
constexpr int kNoTemp = 0x7FFF; // LOOP and memory temperatures
constexpr int kNoTemp12 = 2047; // 12-bit temperatures and archive words
constexpr int kNoHighTemp12 = -2048;
constexpr int kNoDirection = 2048;
constexpr int kNoHumidity = 128;
constexpr int kNoLowHumidity = 127;
constexpr int kNoByte = 255;
constexpr int kNoSolar = 4095;
constexpr int kNoArchiveBarometer = 0x8000;
constexpr int kNoArchiveSolar = 0x7FFF;
constexpr int kNoLeafNibbles = 0xFF; // leaf nibble and the one after: reads 16 or more
constexpr int kLeafProbeFlag = 0x40; // LOOP byte 33
constexpr int kLeafProbeConfigBit = 0x4;
constexpr int kDefaultTipsPerInch = 100;
constexpr int kDefaultDegreeDayBase = 500;    // 50.0 F
constexpr int kDefaultDegreeDayCeiling = 860; // 86.0 F
constexpr int kDailyRainMax = 0xFFF;

constexpr ExtremeSlot kSlots[] = {
    {Reading::OutsideTemp, true, kHighAirTemp, true, kNoHighTemp12, TirrelStampAt{kHighAirTime}},
    {Reading::OutsideTemp, false, kLowAirTemp, true, kNoTemp12, TirrelStampAt{kLowAirTime}},
    {Reading::SoilTemp, true, kHighSoilTemp, true, kNoHighTemp12, std::monostate{}},
    {Reading::SoilTemp, false, kLowSoilTemp, true, kNoTemp12, std::monostate{}},
    {Reading::OutsideHumidity, true, kHighHumidity, false, kNoHumidity,
     TirrelStampAt{kHighHumidityTime}},
    {Reading::OutsideHumidity, false, kLowHumidity, false, kNoLowHumidity,
     TirrelStampAt{kLowHumidityTime}},
    {Reading::WindChill, false, kLowWindChill, true, kNoTemp12, TirrelStampAt{kLowWindChillTime}},
    {Reading::ThermalIndex, true, kHighThermalIndex, true, kNoHighTemp12,
     TirrelStampAt{kHighThermalIndexTime}},
    {Reading::WindSpeed, true, kHighWindSpeed, false, 0, TirrelStampAt{kHighWindTime}},
    // The shortest time between tips is the day's highest rain rate.
    {Reading::RainInterval, false, kHighRainRate, false, kNoRainInterval,
     TirrelStampAt{kHighRainRateTime}},
};

int tenthsOf(double v)
{
    return static_cast<int>(std::lround(v * 10.0));
}

int hundredthsOf(double v)
{
    return static_cast<int>(std::lround(v * 100.0));
}

} // namespace

ClockLayout TirrelFamily::clockLayout() const
{
    return {kClockHour, kClockMinute, kClockSecond, kDateDay, kDateMonth, kDateYear};
}

LoggerLayout TirrelFamily::loggerLayout() const
{
    return {kWrapFlag, kNewRecordPointer, kSamplePeriod, kArchivePeriod, kLastArchiveMinute};
}

std::span<const ExtremeSlot> TirrelFamily::extremeSlots() const
{
    return kSlots;
}

void TirrelFamily::initializeMemory(NibbleMemory& station, std::uint8_t modelNumber,
                                    bool leafProbe) const
{
    station.setValue(kModelNumber, modelNumber);
    station.setValue(kSensorConfig, leafProbe ? kLeafProbeConfigBit : 0);
    station.setValue(kRainCalibration, kDefaultTipsPerInch);
    station.setValue(kDegreeDayBase, kDefaultDegreeDayBase);
    station.setValue(kDegreeDayMax, kDefaultDegreeDayCeiling);
}

int TirrelFamily::tipsPerInch(const NibbleMemory& station) const
{
    const auto tips = static_cast<int>(station.value(kRainCalibration));
    return tips > 0 ? tips : kDefaultTipsPerInch;
}

std::optional<DegreeDayLimits> TirrelFamily::degreeDayLimits(const NibbleMemory& station) const
{
    return DegreeDayLimits{static_cast<int>(station.value(kDegreeDayBase)),
                           static_cast<int>(station.value(kDegreeDayMax))};
}

void TirrelFamily::writeReadings(NibbleMemory& station, const StationSnapshot& s) const
{
    const RawSample& r = s.sample;
    const StationTotals& t = *s.totals;
    station.setValue(kDewPoint, orMarker(r[Reading::DewPoint], kNoTemp12));
    station.setValue(kWindChill, orMarker(r[Reading::WindChill], kNoTemp12));
    station.setValue(kThermalIndex, orMarker(r[Reading::ThermalIndex], kNoTemp12));
    station.setValue(kWindDirection, orMarker(r[Reading::WindDirection], kNoDirection));
    station.setValue(Location{kLeafWetness.bank, kLeafWetness.address, 2},
                     orMarker(r[Reading::LeafWetness], kNoLeafNibbles));
    station.setValue(kBarometerTrend, s.trendBits);
    station.setValue(kDailyRain, std::min(t.daily.rainTips, kDailyRainMax));
    station.setValue(kDailyWindRun, tenthsOf(t.daily.windRunMiles));
    station.setValue(kTotalWindRun, tenthsOf(t.total.windRunMiles));
    station.setValue(kDailyEt, hundredthsOf(t.daily.etInches));
    station.setValue(kTotalEt, hundredthsOf(t.total.etInches));
    station.setValue(kDailyDegreeDays, tenthsOf(t.daily.degreeDays));
    station.setValue(kTotalDegreeDays, tenthsOf(t.total.degreeDays));
    station.setValue(kDailySolarEnergy, tenthsOf(t.daily.solarLangleys));
    station.setValue(kTotalSolarEnergy, tenthsOf(t.total.solarLangleys));
    station.setValue(kPeriodCount, t.periodsOf90Min);
}

std::vector<std::uint8_t> TirrelFamily::loopPacket(const StationSnapshot& s) const
{
    const RawSample& r = s.sample;
    const Amounts& total = s.totals->total;
    std::vector<std::uint8_t> p{wire::kStartOfBlock};
    putLittleEndian(p, s.archivePointer, 2);
    p.push_back(static_cast<std::uint8_t>(s.trendBits));
    const int soilWord = s.leafProbe ? orMarker(r[Reading::LeafWetness], kNoTemp)
                                     : orMarker(r[Reading::SoilTemp], kNoTemp);
    putLittleEndian(p, soilWord, 2);
    putLittleEndian(p, orMarker(r[Reading::OutsideTemp], kNoTemp), 2);
    p.push_back(
        static_cast<std::uint8_t>(std::min(orMarker(r[Reading::WindSpeed], kNoByte), kNoByte)));
    putLittleEndian(p, orMarker(r[Reading::WindDirection], kNoDirection), 2);
    putLittleEndian(p, orMarker(r[Reading::Barometer], 0), 2);
    p.push_back(static_cast<std::uint8_t>(orMarker(r[Reading::RainRateTenths], kNoByte)));
    p.push_back(static_cast<std::uint8_t>(orMarker(r[Reading::OutsideHumidity], kNoHumidity)));
    putLittleEndian(p, total.rainTips, 2);
    putLittleEndian(p, orMarker(r[Reading::SolarRadiation], kNoSolar), 2);
    putLittleEndian(p, tenthsOf(total.windRunMiles), 3);
    putLittleEndian(p, hundredthsOf(total.etInches), 2);
    putLittleEndian(p, tenthsOf(total.degreeDays), 3);
    putLittleEndian(p, tenthsOf(total.solarLangleys), 3);
    putLittleEndian(p, s.sampleCount, 3);
    p.push_back(s.leafProbe && !r.missing(Reading::LeafWetness)
                    ? static_cast<std::uint8_t>(kLeafProbeFlag | r[Reading::LeafWetness])
                    : 0);
    appendCrc(p, 1);
    return p;
}

std::vector<std::uint8_t> TirrelFamily::archiveRecord(const PeriodSummary& period,
                                                      const platform::WallTime& stamp,
                                                      bool leafProbe) const
{
    const Amounts& a = period.amounts;
    std::vector<std::uint8_t> rec;
    putLittleEndian(rec, orMarker(period.average(Reading::Barometer), kNoArchiveBarometer), 2);
    rec.push_back(
        static_cast<std::uint8_t>(orMarker(period.average(Reading::OutsideHumidity), kNoHumidity)));
    rec.push_back(static_cast<std::uint8_t>(
        std::min(orMarker(period.average(Reading::WindSpeed), 0), kNoByte)));
    rec.push_back(static_cast<std::uint8_t>(
        std::min(orMarker(period.highest(Reading::WindSpeed), 0), kNoByte)));
    rec.push_back(static_cast<std::uint8_t>(compassIndex(period.prevailingDirection(), kNoByte)));
    putLittleEndian(rec, a.rainTips, 2);
    const int soilWord = leafProbe ? orMarker(period.average(Reading::LeafWetness), kNoTemp12)
                                   : orMarker(period.average(Reading::SoilTemp), kNoTemp12);
    putLittleEndian(rec, soilWord, 2);
    putLittleEndian(rec, orMarker(period.average(Reading::OutsideTemp), kNoTemp12), 2);
    rec.push_back(toBcd(stamp.hour));
    rec.push_back(toBcd(stamp.minute));
    rec.push_back(toBcd(stamp.day));
    rec.push_back(static_cast<std::uint8_t>(stamp.month));
    putLittleEndian(rec, orMarker(period.highest(Reading::OutsideTemp), kNoTemp12), 2);
    putLittleEndian(rec, orMarker(period.lowest(Reading::OutsideTemp), kNoTemp12), 2);
    putLittleEndian(rec, tenthsOf(a.degreeDays), 2);
    putLittleEndian(rec, hundredthsOf(a.etInches), 2);
    putLittleEndian(rec, tenthsOf(a.windRunMiles), 2);
    putLittleEndian(rec, orMarker(period.average(Reading::SolarRadiation), kNoArchiveSolar), 2);
    putLittleEndian(rec, tenthsOf(a.solarLangleys), 2);
    rec.push_back(
        static_cast<std::uint8_t>(orMarker(period.highest(Reading::RainRateTenths), kNoByte)));
    rec.push_back(0);
    return rec;
}

} // namespace bv::sim
