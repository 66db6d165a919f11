#pragma once

#include <filesystem>

#include "app/base/automatic_tasks_gate.h"
#include "app/base/config_record.h"
#include "app/base/scheduler.h"
#include "app/base/scheduler_state.h"
#include "app/base/shell.h"
#include "paging/alarm_evaluation.h"
#include "paging/page_sender.h"
#include "paging/pager_entry.h"

namespace bv::paging {

// The station as an evaluation run uses it.
class PagingStation {
  public:
    virtual ~PagingStation() = default;
    // Opens the link (dialling a remote station first), sets the rain
    // collector and polls the current conditions; true when they were read.
    virtual bool readConditions() = 0;
    virtual units::StationFamily family() const = 0;
    // The values of the conditions just read and of station memory.
    virtual QuantityReadings& readings() = 0;
    // Sets the station's high wind speed of the day to 0.
    virtual void resetHighWindSpeed() = 0;
    virtual void close() = 0;
};

// What one run did, for the caller's report.
struct RunReport {
    bool ran = false;          // paging is on
    bool stationRead = false;  // the conditions were read
    bool queueWritten = false; // "sendpages.dat" was written in full
    int pages = 0;             // pairs queued
};

// What a run reads and changes, all of it process-wide state made by main.
struct PagingContext {
    app::ConfigRecord& config;
    app::SchedulerState& state;
    app::AutoTaskGate& gate;
    app::Shell& shell;
    std::filesystem::path stationDir; // where "pager.dat" and "alarm.dat" are
    std::filesystem::path queueFile;  // "sendpages.dat" of the station directory
    LogFn logEvent;
};

// The alarm and current-weather paging run with selector 1 (current-weather
// page due), 2 (alarm check due) or 3 (both). Does nothing unless Page on
// Alarm or Page Current Weather is on. Otherwise: holds the automatic-task
// gate closed and shows the busy cursor; reads the station; reads "alarm.dat" (a
// missing file gives empty codes, paged as 9999) and "pager.dat"; writes
// "sendpages.dat" anew; sets the latches of what it paged and resets the
// station's high wind speed after a wind speed alarm; closes the station.
// Then the sender, when one is plugged in, sends the queue (an empty one
// too: its window opens and closes) and the run's hold on the gate ends when
// it finishes; without a sender the queue stays written and the hold ends at
// once.
RunReport runEvaluation(PagingContext& context, app::PagingSelector selector,
                        PagingStation& station, PageSender* sender);

} // namespace bv::paging
