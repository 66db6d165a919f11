#include "station/conditions_poller.h"

#include "app/base/strings_station.h"
#include "station/classic_link.h"
#include "station/result_codes.h"
#include "station/serial_port.h"
#include "station/station_models.h"
#include "station/tirrel_link.h"

namespace bv::station {

namespace {

constexpr int kSettleMs = 1000; // between the settings and the LOOP

} // namespace

ConditionsPoller::ConditionsPoller(TirrelLink& tirrelLink, ClassicLink& classicLink,
                                   CurrentConditions& conditions, const platform::Clock& clock,
                                   StationMessages messages)
    : tirrelLink_(tirrelLink), classicLink_(classicLink), conditions_(conditions),
      messages_(std::move(messages)), tirrelReader_(tirrelLink, clock), classicReader_(classicLink)
{
}

void ConditionsPoller::setUnits(const units::UnitsSelection& selection)
{
    tirrelReader_.setUnits(selection);
    classicReader_.setUnits(selection);
}

// The collector always governs the conversions at once. It goes to the station
// at the first poll of the run and whenever the setting has changed since, and to
// a Tirrel also after a change of port; a send the station did not take is tried
// again at the next poll.
void ConditionsPoller::applyRainCollector(const StationSettings& settings, ConditionsReader& reader,
                                          bool tirrel)
{
    const std::optional<RainCollector> collector = configuredRainCollector(settings.rainCollector);
    if (!collector)
        return;
    const units::RainUnit rainUnit = reader.units().selection.rain;

    const int setting = settings.rainCollector;
    const bool due = tirrel ? tirrelCollectorSent_ != std::pair{setting, settings.comPort}
                            : classicCollectorSent_ != setting;
    if (!due) {
        reader.useRainCollector(*collector, rainUnit);
        return;
    }
    if (reader.setRainCollector(*collector, rainUnit) != kDone)
        return;
    if (tirrel)
        tirrelCollectorSent_ = std::pair{setting, settings.comPort};
    else
        classicCollectorSent_ = setting;
}

int ConditionsPoller::readLoop(bool tirrel)
{
    if (tirrel) {
        tirrelLink_.sendLoop(); // a LOOP that is not taken shows as a packet that never comes
        return tirrelReader_.readLoop(conditions_.tirrel, true);
    }
    classicLink_.sendLoop();
    return classicReader_.readLoop(conditions_.classic, true);
}

int ConditionsPoller::readCurrentConditions(const StationModel& model,
                                            const StationSettings& settings)
{
    const bool tirrel = model.family == StationFamily::Tirrel;
    ConditionsReader& reader =
        tirrel ? static_cast<ConditionsReader&>(tirrelReader_) : classicReader_;
    // Units first, so that the collector keeps the chosen rain unit; the units
    // are not sent to the station.
    reader.setUnits(settings.units);
    applyRainCollector(settings, reader, tirrel);
    (tirrel ? static_cast<StationLink&>(tirrelLink_) : classicLink_).port().pause(kSettleMs);

    int result = readLoop(tirrel);
    // A packet spoilt on the line is asked for once more; publishing the values
    // of an earlier poll as current would hide the fault.
    if (result != kDone && result != kNoAnswer)
        result = readLoop(tirrel);
    conditions_.dataValid = result == kDone;
    if (result != kDone) {
        messages_.report(std::string(app::strings::kStationCommError.text));
        return kNoAnswer;
    }
    return kDone;
}

} // namespace bv::station
