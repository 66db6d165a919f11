#pragma once

#include <map>

#include "paging/alarm_run.h"
#include "paging/rain_rate.h"
#include "platform/clock.h"
#include "station/station_session.h"

namespace bv::paging {

// The station session as an evaluation run reads it: the current conditions
// of the poll, and station memory over the poll's open port (the day's high
// wind speed, daily rain, the Tirrel's daily ET, the classic models' rain
// reading, the wind direction). Memory values are read once per run.
class SessionPagingStation final : public PagingStation, private QuantityReadings {
  public:
    // rainRate lives as long as the program: it keeps the reference reading
    // of the classic models' rain rate from run to run.
    SessionPagingStation(station::StationSession& session, RainRateTracker& rainRate,
                         const platform::Clock& clock);

    bool readConditions() override;
    units::StationFamily family() const override;
    QuantityReadings& readings() override { return *this; }
    // Over a port of its own: the poll's port is closed first.
    void resetHighWindSpeed() override;
    void close() override;

  private:
    enum class Memory { HighWindSpeed, DailyRain, DailyEt, RainReading, WindDirection };

    double alarmReading(int quantity) override;
    double weatherReading(int quantity) override;
    int windCompassIndex() override;

    // A value of the configured family's record, or from station memory.
    double recordValue(int quantity) const;
    double memory(Memory value);
    double rainRate();

    station::StationSession& session_;
    RainRateTracker& rainRateTracker_;
    const platform::Clock& clock_;
    std::map<Memory, double> memoryRead_;
    std::optional<double> rainRate_;
};

} // namespace bv::paging
