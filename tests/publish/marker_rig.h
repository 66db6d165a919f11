#pragma once

#include "publish/template_markers.h"
#include "station/poll_rig.h"

namespace bv::publish::testing {

// A simulated station of the given model polled once on virtual time, its port
// left open as the transfer cycle leaves it, and the markers of its family with
// the default regional formats.
struct MarkerRig {
    static constexpr int kLastClassicModel = 3;

    explicit MarkerRig(int modelCode, bool celsius = false)
        : rig(modelCode),
          markers({rig.conditions, rig.session.classicMemory(), rig.session.tirrelMemory()},
                  {modelCode > kLastClassicModel,
                   celsius ? units::TemperatureUnit::Celsius : units::TemperatureUnit::Fahrenheit,
                   {}},
                  rig.time)
    {
        rig.config.tempUnit = celsius ? 1 : 0;
        rig.session.configure(station::stationSettingsFrom(rig.config));
        rig.session.pollCurrentConditions();
    }
    ~MarkerRig() { rig.session.close(); }

    std::string expand(std::string_view marker)
    {
        return markers.expandTag(marker).value_or("(unchanged)");
    }

    station::testing::PollRig rig;
    TemplateMarkers markers;
};

} // namespace bv::publish::testing
