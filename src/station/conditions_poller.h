#pragma once

#include <optional>
#include <utility>

#include "platform/clock.h"
#include "station/conditions.h"
#include "station/conditions_reader.h"
#include "station/station_messages.h"
#include "station/station_settings.h"

namespace bv::station {

class ClassicLink;
class TirrelLink;
struct StationModel;

// Reads the current conditions over the open (and, for a remote station,
// dialled) port of the configured model: gives the engine the rain collector,
// asks for one LOOP packet and decodes it into the family's record. The
// station session opens and closes the port around it.
class ConditionsPoller {
  public:
    ConditionsPoller(TirrelLink& tirrelLink, ClassicLink& classicLink,
                     CurrentConditions& conditions, const platform::Clock& clock,
                     StationMessages messages);

    // Leaves the record filled and dataValid set (kDone), or dataValid cleared
    // and kNoAnswer after "Station Communication Error. Check station
    // settings." on the status line and in the event log. A packet with a bad
    // CRC or start byte is asked for once more before the poll counts as failed.
    int readCurrentConditions(const StationModel& model, const StationSettings& settings);

    // The units both engines convert readings to from now on; nothing is sent.
    void setUnits(const units::UnitsSelection& selection);

    TirrelConditionsReader& tirrel() { return tirrelReader_; }
    ClassicConditionsReader& classic() { return classicReader_; }

  private:
    void applyRainCollector(const StationSettings& settings, ConditionsReader& reader, bool tirrel);
    int readLoop(bool tirrel);

    TirrelLink& tirrelLink_;
    ClassicLink& classicLink_;
    CurrentConditions& conditions_;
    StationMessages messages_;
    TirrelConditionsReader tirrelReader_;
    ClassicConditionsReader classicReader_;

    // What was last sent to the station as its rain collector: the setting and,
    // for a Tirrel, the port it went out on.
    std::optional<int> classicCollectorSent_;
    std::optional<std::pair<int, int>> tirrelCollectorSent_; // setting, port
};

} // namespace bv::station
