#pragma once

#include <functional>

#include "station/classic_link.h"
#include "station/conditions.h"
#include "station/conditions_poller.h"
#include "station/conditions_reader.h"
#include "station/result_codes.h"
#include "station/serial_port.h"
#include "station/station_detector.h"
#include "station/station_messages.h"
#include "station/station_models.h"
#include "station/station_settings.h"
#include "station/tirrel_link.h"

namespace bv::station {

// The one way to the station. The program keeps one session for the whole
// run: it owns both families' ports and engines, the current-conditions
// records and the conditions readers (with their units, rain collector and
// calibration), and talks to the station of the configured model.
//
// One station action at a time. Every wait of an action keeps the event loop
// running, so a second action can arrive in the middle of the first (timer 1,
// a menu command); it is refused with kPortBusy and never touches the port.
// The port is also held from a poll until close(), because the transfer cycle
// and the paging run read station memory over the poll's open port.
//
// Results are those of result_codes.h. The session itself reports, on the
// status line and in the event log: a refusal (kPortBusy), a port that does
// not open (kPortUnopenable, kLineSettingsRefused, kOutOfMemory), no model
// configured (kNoStationModel), a failed dial, and a poll the station did not
// answer (kNoAnswer). An operation reports its own failures.
class StationSession {
  public:
    // One station action on the open port; returns a result of result_codes.h.
    using Operation = std::function<int(StationLink& link)>;

    // ports: the event loop, clock, Ui and serial devices of both ports.
    // messages: the status line and event log the session reports to.
    StationSession(PortServices ports, StationMessages messages);
    ~StationSession();
    StationSession(const StationSession&) = delete;
    StationSession& operator=(const StationSession&) = delete;

    // Takes the settings for the next action (at start and after every
    // settings dialog); the units reach the engines at once. An action under
    // way finishes with the settings it began with.
    void configure(const StationSettings& settings);
    const StationSettings& settings() const { return settings_; }
    // The units both engines convert readings to from now on (the Units
    // dialog's OK); nothing is sent to the station.
    void setUnits(const units::UnitsSelection& selection);
    // The configured model, or nullptr when its code names none.
    const StationModel* model() const;

    // An action is under way, or a poll's port is still open.
    bool busy() const { return running_ || portOpen(); }
    // A port of either family is open.
    bool portOpen() const { return tirrelPort_.isOpen() || classicPort_.isOpen(); }

    // Opens the model's port, dials a remote station, and reads one LOOP
    // packet into conditions() (see ConditionsPoller). kDone with
    // conditions().dataValid set; otherwise dataValid is cleared. The port
    // stays open after kDone and kNoAnswer so that station memory can be read
    // (memory readers below); the caller ends with close().
    int pollCurrentConditions();
    // Closes the port a poll left open (hanging up a remote station). kDone,
    // also when nothing was open; kPortBusy while an action is under way.
    int close();

    // Runs one station action: opens the configured model's port, dials a
    // remote station and waits afterConnectWaitSec, runs operation with the
    // model's engine, and closes the port whatever the operation returned.
    // Returns the operation's result, or the session's own failure without
    // running it (kPortBusy, kPortUnopenable, kLineSettingsRefused,
    // kOutOfMemory, kNoStationModel). A dial that fails is reported and the
    // operation still runs: its commands then fail in the usual way.
    int runOperation(const Operation& operation);
    // Inside an operation: reads the current conditions again over its open
    // port, as pollCurrentConditions does after opening (the Current Weather
    // dialog's Refresh). kNoAnswer, with nothing read, when no port is open.
    int readCurrentConditions();

    // AutoDetect (station_detector.h) over the session's serial devices, as
    // one station action: refused with kPortBusy while another is under way.
    // Nothing when no station was accepted.
    std::optional<DetectedStation> detectStation(const StationDetector::Offer& accept,
                                                 const StationDetector::Progress& progress = {});

    // The records of the last poll; the configured model's family is the one
    // to read, and nothing is to be made of them while dataValid is clear.
    CurrentConditions& conditions() { return conditions_; }
    const CurrentConditions& conditions() const { return conditions_; }

    // Station-memory values (highs and lows with their times, totals,
    // barometer trend, calibration), in the session's units. They read over
    // the open port: after a poll, or inside an operation.
    TirrelConditionsReader& tirrelReader() { return poller_.tirrel(); }
    ClassicConditionsReader& classicReader() { return poller_.classic(); }
    TirrelMemory& tirrelMemory() { return poller_.tirrel().memory(); }
    ClassicMemory& classicMemory() { return poller_.classic().memory(); }
    // The reader of the configured model's family (classic when none is configured).
    ConditionsReader& reader();

    // Where the session's reports go; operations report through it too.
    const StationMessages& messages() const { return messages_; }

  private:
    int openStation(const StationModel& model, const StationSettings& settings);
    void dialRemoteStation(StationLink& link, const StationSettings& settings);
    int refuse(int result);
    SerialPort& port(const StationModel& model);
    StationLink& link(const StationModel& model);

    TirrelPort tirrelPort_;
    ClassicPort classicPort_;
    TirrelLink tirrelLink_;
    ClassicLink classicLink_;
    StationMessages messages_;
    CurrentConditions conditions_;
    ConditionsPoller poller_;
    StationSettings settings_;
    PortServices ports_;
    bool running_ = false;
};

} // namespace bv::station
