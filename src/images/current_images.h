#pragma once

#include <filesystem>

#include "app/base/config_record.h"
#include "images/image_result.h"
#include "station/conditions.h"
#include "station/station_memory_classic.h"
#include "station/station_memory_tirrel.h"
#include "station/station_session.h"

namespace bv::images {

// The current-weather images, in the order of the configuration's
// currentImages and of the transfer cycle.
inline constexpr int kCurrentImageCount = 12;

// Station-memory values the gauges show (the day's rain and ET, highs and
// lows), read when asked for: -100 missing, -101 no answer.
class GaugeMemory {
  public:
    virtual ~GaugeMemory() = default;
    virtual double read(station::ClassicValue value) = 0;
    virtual double read(station::TirrelValue value) = 0;
};

// The station memory of a session's last poll, read over the port it left open.
class SessionMemory final : public GaugeMemory {
  public:
    explicit SessionMemory(station::StationSession& session) : session_(session) {}
    double read(station::ClassicValue value) override
    {
        return session_.classicMemory().read(value);
    }
    double read(station::TirrelValue value) override { return session_.tirrelMemory().read(value); }

  private:
    station::StationSession& session_;
};

// What the current-weather images are made from.
struct CurrentImageInputs {
    std::filesystem::path stationDir;
    const app::ConfigRecord& config; // model, units, background, highs and lows
    const station::CurrentConditions& conditions;
    GaugeMemory& memory;
};

// Makes current-weather image index (0 inside temperature .. 11 wind
// direction; soil temperature and the day's ET in 0 and 2 for the Tirrel
// models) as Images/<file name>. Fails without writing when the value is
// missing, with the image's "Error creating ..." text.
ImageResult makeCurrentImage(int index, const CurrentImageInputs& inputs);

} // namespace bv::images
