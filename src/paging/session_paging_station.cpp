#include "paging/session_paging_station.h"

#include "paging/alarm_quantity.h"
#include "station/archive_settings.h"
#include "station/derived_values.h"
#include "units/compass.h"

namespace bv::paging {

SessionPagingStation::SessionPagingStation(station::StationSession& session,
                                           RainRateTracker& rainRate, const platform::Clock& clock)
    : session_(session), rainRateTracker_(rainRate), clock_(clock)
{
}

bool SessionPagingStation::readConditions()
{
    memoryRead_.clear();
    rainRate_.reset();
    return session_.pollCurrentConditions() == station::kDone && session_.conditions().dataValid;
}

units::StationFamily SessionPagingStation::family() const
{
    const station::StationModel* model = session_.model();
    return model != nullptr && model->family == station::StationFamily::Tirrel
               ? units::StationFamily::Tirrel
               : units::StationFamily::Classic;
}

void SessionPagingStation::resetHighWindSpeed()
{
    session_.close();
    session_.runOperation(
        [](station::StationLink& link) { return station::resetHighWindSpeed(link); });
}

void SessionPagingStation::close()
{
    session_.close();
}

double SessionPagingStation::memory(Memory value)
{
    if (const auto known = memoryRead_.find(value); known != memoryRead_.end())
        return known->second;
    const bool tirrel = family() == units::StationFamily::Tirrel;
    double reading = station::kMissingValue;
    switch (value) {
    case Memory::HighWindSpeed:
        reading = tirrel ? session_.tirrelMemory().read(station::TirrelValue::HighWindSpeed)
                         : session_.classicMemory().read(station::ClassicValue::HighWindSpeed);
        break;
    case Memory::DailyRain:
        reading = tirrel ? session_.tirrelMemory().read(station::TirrelValue::DailyRain)
                         : session_.classicMemory().read(station::ClassicValue::DailyRain);
        break;
    case Memory::DailyEt:
        reading = session_.tirrelMemory().read(station::TirrelValue::DailyEt);
        break;
    case Memory::RainReading:
        reading = session_.classicMemory().read(station::ClassicValue::RainRate);
        break;
    case Memory::WindDirection:
        reading = tirrel ? session_.tirrelMemory().read(station::TirrelValue::WindDirection)
                         : session_.classicMemory().read(station::ClassicValue::WindDirection);
        break;
    }
    memoryRead_[value] = reading;
    return reading;
}

double SessionPagingStation::rainRate()
{
    if (!rainRate_)
        rainRate_ = rainRateTracker_.rateAt(memory(Memory::RainReading), clock_.monotonicMs());
    return *rainRate_;
}

double SessionPagingStation::recordValue(int quantity) const
{
    const station::CurrentConditions& now = session_.conditions();
    const bool tirrel = family() == units::StationFamily::Tirrel;
    const double outsideTemp = tirrel ? now.tirrel.airTemp : now.classic.outsideTemp;
    const int outsideHum = tirrel ? now.tirrel.outsideHum : now.classic.outsideHum;
    const double windSpeed = tirrel ? now.tirrel.windSpeed : now.classic.windSpeed;
    switch (quantity) {
    case InsideTemp:
        return tirrel ? now.tirrel.soilTemp : now.classic.insideTemp;
    case OutsideTemp:
        return outsideTemp;
    case InsideHum:
        return now.classic.insideHum;
    case OutsideHum:
        return outsideHum;
    case Barometer:
        return tirrel ? now.tirrel.barometer : now.classic.barometer;
    case WindSpeed:
        return windSpeed;
    case RainRate:
        return now.tirrel.rainRate;
    case WindDirection:
        return tirrel ? now.tirrel.windDir : now.classic.windDir;
    default:
        break;
    }
    const station::DerivedWeather derived = station::deriveWeather(
        outsideTemp, outsideHum, windSpeed, session_.reader().units().selection);
    return quantity == DewPoint    ? derived.dewPoint
           : quantity == WindChill ? derived.windChill
                                   : derived.thermalIndex;
}

double SessionPagingStation::weatherReading(int quantity)
{
    const bool tirrel = family() == units::StationFamily::Tirrel;
    switch (quantity) {
    case InsideHum:
        return tirrel ? memory(Memory::DailyEt) : recordValue(quantity);
    case DailyRain:
        return memory(Memory::DailyRain);
    case RainRate:
        return tirrel ? recordValue(quantity) : rainRate();
    default:
        return recordValue(quantity);
    }
}

double SessionPagingStation::alarmReading(int quantity)
{
    return quantity == WindSpeed ? memory(Memory::HighWindSpeed) : weatherReading(quantity);
}

int SessionPagingStation::windCompassIndex()
{
    return units::compassIndex(memory(Memory::WindDirection));
}

} // namespace bv::paging
