#pragma once

#include <string>

#include "app/base/config_record.h"
#include "station/modem_dial.h"
#include "units/units_selection.h"

namespace bv::station {

// What the station link needs of the configuration: the model and its port,
// the modem that reaches a remote station, the rain collector and the units
// readings are converted to.
struct StationSettings {
    int modelCode = 0;     // stationModel: 0..5 (station_models.h); anything else names none
    int comPort = 1;       // "COM" n
    int baud = 2400;       // 1200 or 2400
    int rainCollector = 0; // 0 none, 1 0.1 in, 2 0.01 in, 3 0.2 mm (configuredRainCollector)
    units::UnitsSelection units;

    bool viaModem = false;       // dial stationPhone before the first command
    std::string phone;           // up to 48 characters
    ModemDialSettings modem;     // initialisation string, pulse dialing
    int afterConnectWaitSec = 0; // 0..127, waited after dialing
};

// The station settings of a configuration record. The four unit codes are
// applied over unitsInForce: a code out of its range leaves that unit as it was.
StationSettings stationSettingsFrom(const app::ConfigRecord& config,
                                    const units::UnitsSelection& unitsInForce = {});

} // namespace bv::station
