#include "station/station_settings.h"

namespace bv::station {

StationSettings stationSettingsFrom(const app::ConfigRecord& config,
                                    const units::UnitsSelection& unitsInForce)
{
    StationSettings settings;
    settings.modelCode = config.stationModel;
    settings.comPort = config.stationComPort;
    settings.baud = config.stationBaud;
    settings.rainCollector = config.rainCollector;
    settings.units = unitsInForce;
    units::applyUnitCodes(settings.units, config.tempUnit, config.rainUnit, config.baroUnit,
                          config.windUnit);
    settings.viaModem = static_cast<bool>(config.stationViaModem);
    settings.phone = config.stationPhone;
    settings.modem =
        ModemDialSettings{config.stationModemInit, static_cast<bool>(config.rotaryDial)};
    settings.afterConnectWaitSec = config.afterConnectWaitSec;
    return settings;
}

} // namespace bv::station
