#pragma once

#include "sim/nibble_memory.h"

// Where each family keeps its values. Station memory is what "WRD"/"WWR"
// address; logger memory is what "RRD"/"RWR" address. Temperatures are tenths
// of a degree F, barometer thousandths of inHg, wind mph, rain bucket tips.
namespace bv::sim {

// Hour and minute (two BCD digits each) of a classic high or low, with its day
// (two BCD digits) and month (one nibble, binary).
struct ClassicStampAt {
    Location hour;
    Location minute;
    Location day;
    Location month;
};

// A classic pair: times of the high then of the low (8 nibbles), dates at
// datesAt: high day, high month, low day, low month.
constexpr ClassicStampAt classicHighStamp(int bank, int timesAt, int datesAt)
{
    return {{bank, timesAt, 2}, {bank, timesAt + 2, 2}, {bank, datesAt, 2}, {bank, datesAt + 2, 1}};
}
constexpr ClassicStampAt classicLowStamp(int bank, int timesAt, int datesAt)
{
    return {{bank, timesAt + 4, 2},
            {bank, timesAt + 6, 2},
            {bank, datesAt + 3, 2},
            {bank, datesAt + 5, 1}};
}
// A single classic time: hour and minute, then day and month at the next
// address.
constexpr ClassicStampAt classicSingleStamp(int bank, int timeAt)
{
    return classicHighStamp(bank, timeAt, timeAt + 4);
}

namespace tirrel_map {
// Station memory, bank 0.
inline constexpr Location kSensorConfig{0, 14,
                                        1}; // bit 2: a leaf-wetness probe replaces the soil probe
inline constexpr Location kModelNumber{0, 77, 1};
inline constexpr Location kHighWindSpeed{0, 98, 2};
inline constexpr Location kHighWindTime{0, 100, 4};
inline constexpr Location kWindCalibration{0, 106, 4};
inline constexpr Location kBarometerTrend{0, 122, 1};
inline constexpr Location kDewPoint{0, 138, 3};
inline constexpr Location kWindChill{0, 142, 3};
inline constexpr Location kLowWindChill{0, 145, 3};
inline constexpr Location kLowWindChillTime{0, 148, 4};
inline constexpr Location kDailyWindRun{0, 158, 4}; // tenths of a mile
inline constexpr Location kTotalWindRun{0, 162, 5}; // tenths of a mile
inline constexpr Location kDailyEt{0, 167, 3};      // hundredths of an inch
inline constexpr Location kTotalEt{0, 173, 4};      // hundredths of an inch
// Station memory, bank 1.
inline constexpr Location kBarometerOffset{1, 32, 4};
inline constexpr Location kHighSoilTemp{1, 51, 3};
inline constexpr Location kLowSoilTemp{1, 54, 3};
inline constexpr Location kSoilOffset{1, 63, 3};
inline constexpr Location kHighAirTemp{1, 69, 3};
inline constexpr Location kLowAirTemp{1, 72, 3};
inline constexpr Location kAirOffset{1, 81, 3};
inline constexpr Location kHighAirTime{1, 84, 4};
inline constexpr Location kLowAirTime{1, 88, 4};
inline constexpr Location kDailyDegreeDays{1, 92, 3}; // tenths of a degree-day
inline constexpr Location kTotalDegreeDays{1, 95, 4};
inline constexpr Location kDegreeDayBase{1, 100, 3};
inline constexpr Location kDegreeDayMax{1, 108, 3};
inline constexpr Location kHighHumidity{1, 117, 2};
inline constexpr Location kLowHumidity{1, 119, 2};
inline constexpr Location kHighHumidityTime{1, 121, 4};
inline constexpr Location kLowHumidityTime{1, 125, 4};
inline constexpr Location kHumidityOffset{1, 133, 2};
inline constexpr Location kWindDirection{1, 139, 3};
inline constexpr Location kClockHour{1, 148, 2};
inline constexpr Location kClockMinute{1, 150, 2};
inline constexpr Location kClockSecond{1, 152, 2};
inline constexpr Location kDateDay{1, 158, 2};
inline constexpr Location kDateMonth{1, 160, 1};
inline constexpr Location kDateYear{1, 161, 2}; // (year - 1900) mod 256, binary
inline constexpr Location kThermalIndex{1, 163, 3};
inline constexpr Location kHighThermalIndex{1, 166, 3};
inline constexpr Location kHighThermalIndexTime{1, 169, 4};
inline constexpr Location kPeriodCount{1, 176, 4};      // 90-minute periods behind the totals
inline constexpr Location kDailySolarEnergy{1, 187, 4}; // tenths of a langley
inline constexpr Location kTotalSolarEnergy{1, 191, 4};
inline constexpr Location kDailyRain{1, 201, 3};
inline constexpr Location kRainCalibration{1, 207, 4}; // tips per inch
inline constexpr Location kHighRainRate{1, 214, 3};    // half-seconds between tips
inline constexpr Location kHighRainRateTime{1, 217, 4};
inline constexpr Location kLeafWetness{1, 222, 1};
// Logger memory.
inline constexpr Location kWrapFlag{0, 66, 1};
inline constexpr Location kOldRecordPointer{1, 6, 4};
inline constexpr Location kNewRecordPointer{1, 10, 4}; // byte offset of the next record
inline constexpr Location kSamplePeriod{1, 80, 2};     // 256 - seconds
inline constexpr Location kArchivePeriod{1, 82, 2};    // minutes
inline constexpr Location kLastArchiveMinute{1, 84, 4};
} // namespace tirrel_map

namespace classic_map {
// Station memory, bank 0.
inline constexpr Location kCollectorFlags{0, 72, 2}; // bit 2: 0.01 in or 0.2 mm collector
inline constexpr Location kModelNumber{0, 77, 1};
inline constexpr Location kHighWindSpeed{0, 96, 4};
inline constexpr ClassicStampAt kHighWindStamp = classicSingleStamp(0, 100);
inline constexpr Location kBarometerTrend{0, 121, 1};
inline constexpr Location kDewPoint{0, 138, 4};
inline constexpr Location kHighDewPoint{0, 142, 4};
inline constexpr Location kLowDewPoint{0, 146, 4};
inline constexpr ClassicStampAt kHighDewPointStamp = classicHighStamp(0, 150, 158);
inline constexpr ClassicStampAt kLowDewPointStamp = classicLowStamp(0, 150, 158);
inline constexpr Location kWindChill{0, 168, 4};
inline constexpr Location kLowWindChill{0, 172, 4};
inline constexpr ClassicStampAt kLowWindChillStamp = classicSingleStamp(0, 176);
// Station memory, bank 1.
inline constexpr Location kBarometerOffset{1, 44, 4};
inline constexpr Location kHighInsideTemp{1, 52, 4};
inline constexpr Location kLowInsideTemp{1, 56, 4};
inline constexpr ClassicStampAt kHighInsideTempStamp = classicHighStamp(1, 60, 68);
inline constexpr ClassicStampAt kLowInsideTempStamp = classicLowStamp(1, 60, 68);
inline constexpr Location kInsideOffset{1, 82, 4};
inline constexpr Location kHighOutsideTemp{1, 90, 4};
inline constexpr Location kLowOutsideTemp{1, 94, 4};
inline constexpr ClassicStampAt kHighOutsideTempStamp = classicHighStamp(1, 98, 106);
inline constexpr ClassicStampAt kLowOutsideTempStamp = classicLowStamp(1, 98, 106);
inline constexpr Location kOutsideOffset{1, 120, 4};
inline constexpr Location kHighInsideHumidity{1, 130, 2};
inline constexpr Location kLowInsideHumidity{1, 132, 2};
inline constexpr ClassicStampAt kHighInsideHumidityStamp = classicHighStamp(1, 134, 142);
inline constexpr ClassicStampAt kLowInsideHumidityStamp = classicLowStamp(1, 134, 142);
inline constexpr Location kHighOutsideHumidity{1, 154, 2};
inline constexpr Location kLowOutsideHumidity{1, 156, 2};
inline constexpr ClassicStampAt kHighOutsideHumidityStamp = classicHighStamp(1, 158, 166);
inline constexpr ClassicStampAt kLowOutsideHumidityStamp = classicLowStamp(1, 158, 166);
inline constexpr Location kWindDirection{1, 180, 4};
inline constexpr Location kClockHour{1, 190, 2};
inline constexpr Location kClockMinute{1, 192, 2};
inline constexpr Location kClockSecond{1, 194, 2};
inline constexpr Location kDateDay{1, 200, 2};
inline constexpr Location kDateMonth{1, 202, 1};
inline constexpr Location kRainRate{1, 206, 4}; // tips per hour
inline constexpr Location kDailyRain{1, 210, 4};
inline constexpr Location kRainCalibration{1, 214, 4}; // tips per inch in the low byte
inline constexpr Location kHumidityOffset{1, 218, 4};
// Logger memory.
inline constexpr Location kWrapFlag{0, 66, 1};
inline constexpr Location kNewRecordPointer{1, 0, 7}; // byte offset of the next record
inline constexpr Location kSamplePeriod{1, 58, 2};
inline constexpr Location kArchivePeriod{1, 60, 2};
inline constexpr Location kLastArchiveMinute{1, 72, 4};
} // namespace classic_map

} // namespace bv::sim
