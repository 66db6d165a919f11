#pragma once

#include <optional>

#include "app/base/config_record.h"
#include "platform/clock.h"
#include "platform/ui.h"
#include "station/conditions.h"
#include "station/conditions_reader.h"
#include "station/modem_dial.h"

namespace bv::station {

class ClassicLink;
class ClassicPort;
class TirrelLink;
class TirrelPort;

// The ports and engines of both families, as the program keeps them for the run.
struct StationEngines {
    TirrelPort& tirrelPort;
    TirrelLink& tirrelLink;
    ClassicPort& classicPort;
    ClassicLink& classicLink;
};

// Polls the station for its current conditions: opens the port of the configured
// model, dials a remote station, gives the engine the rain collector and the
// units, asks for one LOOP packet and decodes it into the family's record.
class ConditionsPoller {
  public:
    ConditionsPoller(StationEngines engines, CurrentConditions& conditions,
                     const platform::Clock& clock, platform::Ui& ui, EventLogFn logEvent);

    // Leaves the record filled and dataValid set (kDone), or dataValid cleared:
    // the port's open failure (the caller reports it), or kNoAnswer after
    // "Station Communication Error. Check station settings." on the status line
    // and in the event log. A packet with a bad CRC or start byte is asked for
    // once more before the poll counts as failed. The port stays open; the
    // caller closes it.
    int pollCurrentConditions(const app::ConfigRecord& config);

    TirrelConditionsReader& tirrel() { return tirrelReader_; }
    ClassicConditionsReader& classic() { return classicReader_; }
    CurrentConditions& conditions() { return conditions_; }

  private:
    int openPort(const app::ConfigRecord& config);
    void dialRemoteStation(const app::ConfigRecord& config, bool tirrel);
    void applyRainCollector(const app::ConfigRecord& config, ConditionsReader& reader, bool tirrel);
    int readConditions(bool tirrel);
    void reportNoAnswer();
    SerialPort& port(bool tirrel);
    StationLink& link(bool tirrel);

    StationEngines engines_;
    CurrentConditions& conditions_;
    platform::Ui& ui_;
    EventLogFn logEvent_;
    TirrelConditionsReader tirrelReader_;
    ClassicConditionsReader classicReader_;

    // What was last sent to the station as its rain collector: the setting and,
    // for a Tirrel, the port it went out on.
    std::optional<int> classicCollectorSent_;
    std::optional<std::pair<int, int>> tirrelCollectorSent_; // setting, port
};

} // namespace bv::station
