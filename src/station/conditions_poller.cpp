#include "station/conditions_poller.h"

#include "app/base/strings_station.h"
#include "station/classic_link.h"
#include "station/result_codes.h"
#include "station/serial_port.h"
#include "station/station_models.h"
#include "station/tirrel_link.h"

namespace bv::station {

namespace {

constexpr int kSettleMs = 1000; // before dialing, and between the settings and the LOOP
constexpr int kMsPerSecond = 1000;

} // namespace

ConditionsPoller::ConditionsPoller(StationEngines engines, CurrentConditions& conditions,
                                   const platform::Clock& clock, platform::Ui& ui,
                                   EventLogFn logEvent)
    : engines_(engines), conditions_(conditions), ui_(ui), logEvent_(std::move(logEvent)),
      tirrelReader_(engines.tirrelLink, clock), classicReader_(engines.classicLink)
{
}

SerialPort& ConditionsPoller::port(bool tirrel)
{
    if (tirrel)
        return engines_.tirrelPort;
    return engines_.classicPort;
}

StationLink& ConditionsPoller::link(bool tirrel)
{
    if (tirrel)
        return engines_.tirrelLink;
    return engines_.classicLink;
}

int ConditionsPoller::openPort(const app::ConfigRecord& config)
{
    const StationModel* model = findStationModel(config.stationModel);
    if (model == nullptr)
        return kPortBusy; // no such model: nothing to open
    if (model->family == StationFamily::Tirrel)
        return engines_.tirrelPort.open(config.stationComPort, config.stationBaud, model->letter);
    return engines_.classicPort.open(config.stationComPort, config.stationBaud);
}

void ConditionsPoller::dialRemoteStation(const app::ConfigRecord& config, bool tirrel)
{
    port(tirrel).pause(kSettleMs);
    link(tirrel).dialStation(
        config.stationPhone,
        ModemDialSettings{config.stationModemInit, static_cast<bool>(config.rotaryDial)},
        logEvent_);
    port(tirrel).pause(config.afterConnectWaitSec * kMsPerSecond);
}

// The collector always governs the conversions at once. It goes to the station
// at the first poll of the run and whenever the setting has changed since, and to
// a Tirrel also after a change of port; a send the station did not take is tried
// again at the next poll.
void ConditionsPoller::applyRainCollector(const app::ConfigRecord& config, ConditionsReader& reader,
                                          bool tirrel)
{
    const std::optional<RainCollector> collector = configuredRainCollector(config.rainCollector);
    if (!collector)
        return;
    const units::RainUnit rainUnit = reader.units().selection.rain;

    const int setting = config.rainCollector;
    const bool due = tirrel ? tirrelCollectorSent_ != std::pair{setting, int{config.stationComPort}}
                            : classicCollectorSent_ != setting;
    if (!due) {
        reader.useRainCollector(*collector, rainUnit);
        return;
    }
    if (reader.setRainCollector(*collector, rainUnit) != kDone)
        return;
    if (tirrel)
        tirrelCollectorSent_ = std::pair{setting, int{config.stationComPort}};
    else
        classicCollectorSent_ = setting;
}

int ConditionsPoller::readConditions(bool tirrel)
{
    link(tirrel).sendLoop(); // a LOOP that is not taken shows as a packet that never comes
    if (tirrel)
        return tirrelReader_.readLoop(conditions_.tirrel, true);
    return classicReader_.readLoop(conditions_.classic, true);
}

void ConditionsPoller::reportNoAnswer()
{
    const std::string text{app::strings::kStationCommError.text};
    ui_.setStatusText(text);
    if (logEvent_)
        logEvent_(text);
}

int ConditionsPoller::pollCurrentConditions(const app::ConfigRecord& config)
{
    const int opened = openPort(config);
    if (opened != kDone) {
        conditions_.dataValid = false;
        return opened;
    }
    const bool tirrel = findStationModel(config.stationModel)->family == StationFamily::Tirrel;
    ConditionsReader& reader =
        tirrel ? static_cast<ConditionsReader&>(tirrelReader_) : classicReader_;

    if (config.stationViaModem)
        dialRemoteStation(config, tirrel);
    // Units first, so that the collector keeps the configured rain unit; the
    // units are not sent to the station.
    reader.setUnits(config.tempUnit, config.rainUnit, config.baroUnit, config.windUnit);
    applyRainCollector(config, reader, tirrel);
    port(tirrel).pause(kSettleMs);

    int result = readConditions(tirrel);
    // A packet spoilt on the line is asked for once more; publishing the values
    // of an earlier poll as current would hide the fault.
    if (result != kDone && result != kNoAnswer)
        result = readConditions(tirrel);
    conditions_.dataValid = result == kDone;
    if (result != kDone) {
        reportNoAnswer();
        return kNoAnswer;
    }
    return kDone;
}

} // namespace bv::station
