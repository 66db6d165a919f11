#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/base/automatic_tasks_gate.h"
#include "app/base/config_file.h"
#include "app/base/config_record.h"
#include "app/base/dialog_host.h"
#include "app/base/event_log.h"
#include "app/base/scheduler.h"
#include "app/base/scheduler_state.h"
#include "app/base/settings_dialog_launcher.h"
#include "app/base/shell.h"
#include "app/shell/logger_schedule.h"
#include "platform/clock.h"
#include "platform/event_loop.h"
#include "platform/linux/spawned_process.h"
#include "platform/linux/system_clock_setter.h"
#include "platform/ui.h"
#include "station/serial_port.h"
#include "station/station_session.h"
#include "units/regional_settings.h"

namespace bv::paging {
class PagerStatusView;
} // namespace bv::paging

namespace bv::app {

// The two builds of the main program: `hollit` with dial-up networking over
// pppd, `hollit1` without (its dial succeeds at once and its hang-up closes
// the station link).
enum class Edition { WithDialUp, WithoutDialUp };

// The automatic activities as the parts that do them are plugged in. An
// activity that falls due while nothing is plugged in for it is skipped.
class ActivityHandlers final : public AutomaticActivities {
  public:
    std::function<void()> transferCycle;
    std::function<void()> archiveDownload;
    std::function<void(PagingSelector)> paging;
    std::function<void()> loggerStep;

    void startTransferCycle() override;
    void downloadArchive() override;
    void runPaging(PagingSelector what) override;
    void loggerTick() override;
};

// The serial devices of the station session: empty parts stand for the
// termios devices at the station directory's port paths (ports/COMn, else
// /dev/ttyS(n-1)); tests give an in-memory wire.
struct StationDevices {
    station::SerialDeviceFactory makeDevice;
    station::PortPathFn devicePath;
};

// The process-wide state of the main program, made once by main and shared by
// the window and every part: the configuration record, the scheduler's
// counters and latches, the automatic-task gate, the regional settings, the
// event log, the status line and message boxes, the open dialogs, the station
// session, and timer 1.
//
// Start-up runs in two steps around the making of the window: the constructor
// sets the defaults and the latches; start() loads "config.dat", applies "-d",
// takes the regional settings and starts timer 1. shutdown() stops the timer
// and saves the configuration.
class Application {
  public:
    Application(platform::Ui& ui, platform::EventLoop& loop, const platform::Clock& clock,
                const std::filesystem::path& stationDir, Edition edition,
                StationDevices stationDevices = {});
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // "config.dat" of the station directory over the defaults, `stationDir`
    // set to that directory, the "-d" switch from args, the regional
    // settings, the station session's settings, then timer 1 (1000 ms)
    // driving the scheduler. Returns how the configuration was loaded.
    ConfigLoad start(const std::vector<std::string>& args, const units::RegionalSettings& regional);
    // Stops timer 1 and saves "config.dat"; returns the save's error, if any.
    // Without a start() before it, or called again, it does nothing.
    std::error_code shutdown();
    // Saves "config.dat" now (the settings dialogs call it on OK) and gives the
    // station session the settings of the record (applyStationSettings). A file
    // that start() found but could not load (wrong size, unreadable) is first
    // renamed to "config.dat.bad" and the event log says so, so the first
    // save does not destroy it.
    std::error_code saveConfiguration();
    // The station session takes the record's station settings; a unit code
    // out of its range keeps the unit in force.
    void applyStationSettings();
    // Gives the station directory the program's copy of "Viraraz.hlp" when
    // it has none (see installHelpFile). A failure is written to the event
    // log and returned; the program runs on without help.
    std::error_code provideHelpFile(std::string_view contents);

    bool running() const { return running_; }
    // Ticks of timer 1 since start().
    std::int64_t ticks() const { return ticks_; }

    Edition edition() const { return edition_; }
    const std::filesystem::path& stationDir() const { return stationDir_; }
    ConfigRecord& config() { return config_; }
    SchedulerState& schedulerState() { return schedulerState_; }
    AutoTaskGate& gate() { return gate_; }
    const units::RegionalSettings& regional() const { return regional_; }
    // The one way to the station for every part of the program; its status
    // messages go through the shell's status line, its events to event.log.
    station::StationSession& station() { return station_; }
    // The serial devices of the station's ports, for the other ports the
    // program opens itself (the paging modem).
    const station::PortServices& portServices() const { return portServices_; }
    // Sets the PC's clock (Set Time's "Set the PC time also.").
    platform::ClockSetter& pcClock() { return pcClock_; }
    EventLog& eventLog() { return eventLog_; }
    Shell& shell() { return shell_; }
    DialogHost& dialogHost() { return dialogHost_; }
    SettingsDialogLauncher& settingsLauncher() { return settingsLauncher_; }
    ActivityHandlers& activities() { return activities_; }
    // The main window's pager status window while the window lives; nullptr
    // headless. The pager status engine shows it each time it sends a queue.
    paging::PagerStatusView* pagerStatusView() const { return pagerStatusView_; }
    void setPagerStatusView(paging::PagerStatusView* view) { pagerStatusView_ = view; }
    LoggerSchedule& loggerSchedule() { return loggerSchedule_; }
    platform::Ui& ui() { return ui_; }
    platform::EventLoop& eventLoop() { return loop_; }
    const platform::Clock& clock() const { return clock_; }

  private:
    void tick();

    platform::Ui& ui_;
    platform::EventLoop& loop_;
    const platform::Clock& clock_;
    std::filesystem::path stationDir_;
    Edition edition_;
    ConfigRecord config_;
    SchedulerState schedulerState_;
    AutoTaskGate gate_;
    units::RegionalSettings regional_;
    EventLog eventLog_;
    Shell shell_;
    station::PortServices portServices_;
    station::StationSession station_;
    platform::SystemClockSetter pcClock_;
    DialogHost dialogHost_;
    SettingsDialogLauncher settingsLauncher_;
    ActivityHandlers activities_;
    paging::PagerStatusView* pagerStatusView_ = nullptr;
    platform::SpawningStarter processStarter_;
    LoggerSchedule loggerSchedule_;
    Scheduler scheduler_;
    platform::TimerId timerId_ = 0;
    std::int64_t ticks_ = 0;
    bool running_ = false;
    bool keepUnloadedConfig_ = false;
};

} // namespace bv::app
