#include "publish/marker_table.h"

#include <array>

namespace bv::publish {

namespace {

using station::ClassicConditions;
using station::ClassicTimeOf;
using station::ClassicValue;
using station::TirrelConditions;
using station::TirrelTimeOf;
using station::TirrelValue;
using enum MarkerFormat;

template <class Record, auto Member> double fieldValue(const Record& record)
{
    return static_cast<double>(record.*Member);
}
template <auto Member>
constexpr RecordField<ClassicConditions> classic = &fieldValue<ClassicConditions, Member>;
template <auto Member>
constexpr RecordField<TirrelConditions> tirrel = &fieldValue<TirrelConditions, Member>;

constexpr auto kHigh = Extreme::High;
constexpr auto kLow = Extreme::Low;

using ClassicMarker = Marker<ClassicSource>;
using TirrelMarker = Marker<TirrelSource>;
using CT = ExtremeTime<ClassicTimeOf>;
using TT = ExtremeTime<TirrelTimeOf>;

constexpr std::array kClassicMarkers = {
    ClassicMarker{"<!--intemp-->", classic<&ClassicConditions::insideTemp>, OneDecimal},
    ClassicMarker{"<!--outtemp-->", classic<&ClassicConditions::outsideTemp>, OneDecimal},
    ClassicMarker{"<!--inhum-->", classic<&ClassicConditions::insideHum>, Whole},
    ClassicMarker{"<!--outhum-->", classic<&ClassicConditions::outsideHum>, Whole},
    ClassicMarker{"<!--barom-->", classic<&ClassicConditions::barometer>, TwoDecimals},
    ClassicMarker{"<!--winddir-->", classic<&ClassicConditions::windDir>, Whole},
    ClassicMarker{"<!--winddirection-->", DerivedSource::CompassPoint, Text},
    ClassicMarker{"<!--windspeed-->", classic<&ClassicConditions::windSpeed>, OneDecimal},
    ClassicMarker{"<!--totalrain-->", classic<&ClassicConditions::rain>, TwoDecimals},
    ClassicMarker{"<!--dailyrain-->", ClassicValue::DailyRain, TwoDecimals},
    ClassicMarker{"<!--thindex-->", DerivedSource::ThermalIndex, OneDecimal},
    ClassicMarker{"<!--hiintemp-->", ClassicValue::HighInsideTemp, OneDecimal},
    ClassicMarker{"<!--lowintemp-->", ClassicValue::LowInsideTemp, OneDecimal},
    ClassicMarker{"<!--hiouttemp-->", ClassicValue::HighOutsideTemp, OneDecimal},
    ClassicMarker{"<!--lowouttemp-->", ClassicValue::LowOutsideTemp, OneDecimal},
    ClassicMarker{"<!--hiinhum-->", ClassicValue::HighInsideHum, Whole},
    ClassicMarker{"<!--lowinhum-->", ClassicValue::LowInsideHum, Whole},
    ClassicMarker{"<!--hiouthum-->", ClassicValue::HighOutsideHum, Whole},
    ClassicMarker{"<!--lowouthum-->", ClassicValue::LowOutsideHum, Whole},
    ClassicMarker{"<!--dewpt-->", ClassicValue::DewPoint, OneDecimal},
    ClassicMarker{"<!--hidewpt-->", ClassicValue::HighDewPoint, OneDecimal},
    ClassicMarker{"<!--lowdewpt-->", ClassicValue::LowDewPoint, OneDecimal},
    ClassicMarker{"<!--windchill-->", ClassicValue::WindChill, OneDecimal},
    ClassicMarker{"<!--lowwindchill-->", ClassicValue::LowWindChill, OneDecimal},
    ClassicMarker{"<!--hiwindspeed-->", ClassicValue::HighWindSpeed, OneDecimal},
    ClassicMarker{"<!--barometertrend-->", DerivedSource::BarometerTrend, Text},
    ClassicMarker{"<!--intempcal-->", ClassicValue::InsideTempOffset, OneDecimal},
    ClassicMarker{"<!--outtempcal-->", ClassicValue::OutsideTempOffset, OneDecimal},
    ClassicMarker{"<!--humcal-->", ClassicValue::HumidityOffset, Whole},
    ClassicMarker{"<!--raincal-->", ClassicValue::RainCalibration, Whole},
    ClassicMarker{"<!--baromcal-->", ClassicValue::BarometerOffset, OneDecimal},
    ClassicMarker{"<!--hitimeintemp-->", CT{ClassicTimeOf::InsideTemp, kHigh}, DateAndTime},
    ClassicMarker{"<!--lowtimeintemp-->", CT{ClassicTimeOf::InsideTemp, kLow}, DateAndTime},
    ClassicMarker{"<!--hitimeouttemp-->", CT{ClassicTimeOf::OutsideTemp, kHigh}, DateAndTime},
    ClassicMarker{"<!--lowtimeouttemp-->", CT{ClassicTimeOf::OutsideTemp, kLow}, DateAndTime},
    ClassicMarker{"<!--hitimeinhum-->", CT{ClassicTimeOf::InsideHum, kHigh}, DateAndTime},
    ClassicMarker{"<!--lowtimeinhum-->", CT{ClassicTimeOf::InsideHum, kLow}, DateAndTime},
    ClassicMarker{"<!--hitimeouthum-->", CT{ClassicTimeOf::OutsideHum, kHigh}, DateAndTime},
    ClassicMarker{"<!--lowtimeouthum-->", CT{ClassicTimeOf::OutsideHum, kLow}, DateAndTime},
    ClassicMarker{"<!--hitimedewpt-->", CT{ClassicTimeOf::DewPoint, kHigh}, DateAndTime},
    ClassicMarker{"<!--lowtimedewpt-->", CT{ClassicTimeOf::DewPoint, kLow}, DateAndTime},
    ClassicMarker{"<!--lowtimewindchill-->", CT{ClassicTimeOf::LowWindChill, kLow}, DateAndTime},
    ClassicMarker{"<!--hitimewindspeed-->", CT{ClassicTimeOf::HighWindSpeed, kHigh}, DateAndTime},
    ClassicMarker{"<!--stationdate-->", DerivedSource::StationDate, Date},
    ClassicMarker{"<!--stationtime-->", DerivedSource::StationTime, Time},
    ClassicMarker{"<!--date-->", DerivedSource::ComputerDate, Date},
    ClassicMarker{"<!--time-->", DerivedSource::ComputerTime, TimeWithSeconds},
};

constexpr std::array kTirrelMarkers = {
    TirrelMarker{"<!--outtemp-->", tirrel<&TirrelConditions::airTemp>, OneDecimal},
    TirrelMarker{"<!--soiltemp-->", tirrel<&TirrelConditions::soilTemp>, OneDecimal},
    TirrelMarker{"<!--outhum-->", tirrel<&TirrelConditions::outsideHum>, Whole},
    TirrelMarker{"<!--barom-->", tirrel<&TirrelConditions::barometer>, TwoDecimals},
    TirrelMarker{"<!--winddir-->", tirrel<&TirrelConditions::windDir>, Whole},
    TirrelMarker{"<!--winddirection-->", DerivedSource::CompassPoint, Text},
    TirrelMarker{"<!--windspeed-->", tirrel<&TirrelConditions::windSpeed>, OneDecimal},
    TirrelMarker{"<!--totalrain-->", tirrel<&TirrelConditions::rain>, TwoDecimals},
    TirrelMarker{"<!--rainrate-->", tirrel<&TirrelConditions::rainRate>, TwoDecimals},
    TirrelMarker{"<!--solarrad-->", tirrel<&TirrelConditions::solarRad>, Whole},
    TirrelMarker{"<!--totalwindrun-->", tirrel<&TirrelConditions::windRun>, OneDecimal},
    TirrelMarker{"<!--totalet-->", tirrel<&TirrelConditions::et>, TwoDecimals},
    TirrelMarker{"<!--totaldegreedays-->", tirrel<&TirrelConditions::degreeDays>, OneDecimal},
    TirrelMarker{"<!--totalsolarenergy-->", tirrel<&TirrelConditions::solarEnergy>, OneDecimal},
    TirrelMarker{"<!--dailyrain-->", TirrelValue::DailyRain, TwoDecimals},
    TirrelMarker{"<!--leafwetness-->", TirrelValue::LeafWetness, Whole},
    TirrelMarker{"<!--dailysolarrad-->", TirrelValue::DailySolarRad, OneDecimal},
    TirrelMarker{"<!--averagesolarrad-->", TirrelValue::AverageSolarRad, OneDecimal},
    TirrelMarker{"<!--thindex-->", DerivedSource::ThermalIndex, OneDecimal},
    TirrelMarker{"<!--dailywindrun-->", TirrelValue::DailyWindRun, OneDecimal},
    TirrelMarker{"<!--averagewindrun-->", TirrelValue::AverageWindRun, OneDecimal},
    TirrelMarker{"<!--dailyet-->", TirrelValue::DailyEt, TwoDecimals},
    TirrelMarker{"<!--averageet-->", TirrelValue::AverageEt, TwoDecimals},
    TirrelMarker{"<!--dailydegdays-->", TirrelValue::DailyDegreeDays, OneDecimal},
    TirrelMarker{"<!--averagedegdays-->", TirrelValue::AverageDegreeDays, OneDecimal},
    TirrelMarker{"<!--degdaybasetemp-->", TirrelValue::DegreeDayBaseTemp, OneDecimal},
    TirrelMarker{"<!--degdaymaxtemp-->", TirrelValue::DegreeDayMaxTemp, OneDecimal},
    TirrelMarker{"<!--hisoiltemp-->", TirrelValue::HighSoilTemp, OneDecimal},
    TirrelMarker{"<!--lowsoiltemp-->", TirrelValue::LowSoilTemp, OneDecimal},
    TirrelMarker{"<!--hiouttemp-->", TirrelValue::HighAirTemp, OneDecimal},
    TirrelMarker{"<!--lowouttemp-->", TirrelValue::LowAirTemp, OneDecimal},
    TirrelMarker{"<!--hiouthum-->", TirrelValue::HighOutsideHum, Whole},
    TirrelMarker{"<!--lowouthum-->", TirrelValue::LowOutsideHum, Whole},
    TirrelMarker{"<!--dewpt-->", TirrelValue::DewPoint, OneDecimal},
    TirrelMarker{"<!--hithindex-->", TirrelValue::HighThermalIndex, OneDecimal},
    TirrelMarker{"<!--windchill-->", TirrelValue::WindChill, OneDecimal},
    TirrelMarker{"<!--lowwindchill-->", TirrelValue::LowWindChill, OneDecimal},
    TirrelMarker{"<!--hiwindspeed-->", TirrelValue::HighWindSpeed, OneDecimal},
    TirrelMarker{"<!--hirainrate-->", TirrelValue::HighRainRate, TwoDecimals},
    TirrelMarker{"<!--barometertrend-->", DerivedSource::BarometerTrend, Text},
    TirrelMarker{"<!--soiltempcal-->", TirrelValue::SoilTempOffset, OneDecimal},
    TirrelMarker{"<!--outtempcal-->", TirrelValue::AirTempOffset, OneDecimal},
    TirrelMarker{"<!--humcal-->", TirrelValue::HumidityOffset, Whole},
    TirrelMarker{"<!--raincal-->", TirrelValue::RainCalibration, Whole},
    TirrelMarker{"<!--baromcal-->", TirrelValue::BarometerOffset, OneDecimal},
    TirrelMarker{"<!--windcal-->", TirrelValue::WindCalibration, OneDecimal},
    TirrelMarker{"<!--hitimeouttemp-->", TT{TirrelTimeOf::AirTemp, kHigh}, DateAndTime},
    TirrelMarker{"<!--lowtimeouttemp-->", TT{TirrelTimeOf::AirTemp, kLow}, DateAndTime},
    TirrelMarker{"<!--hitimeouthum-->", TT{TirrelTimeOf::OutsideHum, kHigh}, DateAndTime},
    TirrelMarker{"<!--lowtimeouthum-->", TT{TirrelTimeOf::OutsideHum, kLow}, DateAndTime},
    TirrelMarker{"<!--lowtimewindchill-->", TT{TirrelTimeOf::LowWindChill, kLow}, DateAndTime},
    TirrelMarker{"<!--hitimethi-->", TT{TirrelTimeOf::HighThermalIndex, kHigh}, DateAndTime},
    TirrelMarker{"<!--hitimewindspeed-->", TT{TirrelTimeOf::HighWindSpeed, kHigh}, DateAndTime},
    TirrelMarker{"<!--hitimerainrate-->", TT{TirrelTimeOf::HighRainRate, kHigh}, DateAndTime},
    TirrelMarker{"<!--stationdate-->", DerivedSource::StationDate, Date},
    TirrelMarker{"<!--stationtime-->", DerivedSource::StationTime, Time},
    TirrelMarker{"<!--date-->", DerivedSource::ComputerDate, Date},
    TirrelMarker{"<!--time-->", DerivedSource::ComputerTime, TimeWithSeconds},
};

} // namespace

std::span<const Marker<ClassicSource>> classicMarkers()
{
    return kClassicMarkers;
}

std::span<const Marker<TirrelSource>> tirrelMarkers()
{
    return kTirrelMarkers;
}

} // namespace bv::publish
