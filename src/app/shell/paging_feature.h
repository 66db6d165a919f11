#pragma once

#include <functional>
#include <memory>

#include "app/base/scheduler.h"
#include "paging/alarm_run.h"
#include "paging/page_sender.h"
#include "paging/pager_status.h"
#include "paging/rain_rate.h"
#include "station/serial_port.h"

namespace bv::app {

class Application;
class BackgroundRun;
class MainCommands;

// Alarms and paging as the programs run them: the evaluation run of the
// scheduler's paging activity and of Send Page Now, on the station session,
// and the Pager Setup dialog. Lives as long as the Application.
class PagingFeature {
  public:
    explicit PagingFeature(Application& app);
    ~PagingFeature();
    PagingFeature(const PagingFeature&) = delete;
    PagingFeature& operator=(const PagingFeature&) = delete;

    // Where the pager status window plugs in; until one does, a run writes
    // "sendpages.dat" and nothing is sent. plugPaging plugs in pagerStatus().
    void setSender(paging::PageSender* sender) { sender_ = sender; }
    // The pager status window's engine, sending over the modem port.
    paging::PagerStatus& pagerStatus() { return *pagerStatus_; }
    // Where the toolbar's paging state goes (the window's MainCommands).
    void setPagingState(std::function<void(bool)> state) { pagingState_ = std::move(state); }
    // The status window as the toolbar's Cancel Transfer reaches it.
    BackgroundRun& toolbarRun();

    // One evaluation run (selector 1 weather page, 2 alarm check, 3 both).
    paging::RunReport run(PagingSelector what);
    // Setup > Pager: the Pager Setup dialog through the settings launcher;
    // Send Page Now then runs with selector 3.
    void openPagerSetup();

  private:
    int detectModem();

    Application& app_;
    paging::RainRateTracker rainRate_;
    paging::PageSender* sender_ = nullptr;
    station::ClassicPort modemPort_; // AutoDetect tries the ports through it; pages go out on it
    std::function<void(bool)> pagingState_;
    std::unique_ptr<paging::PagerStatus> pagerStatus_;
    std::unique_ptr<BackgroundRun> toolbarRun_; // the status window as MainCommands sees it
};

// Makes the feature and plugs its run into the scheduler's paging activity;
// the activity keeps it alive. Called by the window and the headless run.
std::shared_ptr<PagingFeature> plugPaging(Application& app);

// plugPaging, and Setup > Pager among the main window's commands. The pager
// status window, when it is built, plugs in with setSender on the result.
std::shared_ptr<PagingFeature> addPagingCommands(MainCommands& commands, Application& app);

} // namespace bv::app
