#include "app/shell/paging_feature.h"

#include "app/shell/application.h"
#include "app/shell/command_table.h"
#include "app/shell/main_commands.h"
#include "app/shell/range_dialog.h"
#include "paging/modem_detect.h"
#include "paging/pager_setup_dialog.h"
#include "paging/send_queue.h"
#include "paging/session_paging_station.h"

namespace bv::app {

namespace {
class PagerStatusRun : public BackgroundRun {
  public:
    explicit PagerStatusRun(paging::PagerStatus& status) : status_(status) {}
    bool running() const override { return status_.running(); }
    void cancel() override { status_.cancel(); }

  private:
    paging::PagerStatus& status_;
};
} // namespace

PagingFeature::PagingFeature(Application& app) : app_(app), modemPort_(app.portServices())
{
    // The port number and init string are read when a page goes out, so a
    // change in Pager Setup counts from the next queue on.
    pagerStatus_ = std::make_unique<paging::PagerStatus>(paging::PagerStatusServices{
        app.eventLoop(), modemPort_,
        [&app] {
            return paging::ModemSetup{app.config().pagerComPort, app.config().pagerModemInit};
        },
        [&app](const std::string& line) { app.eventLog().logEvent(line); },
        [&app](std::string_view text) {
            if (text.empty())
                app.shell().clearStatus();
            else
                app.shell().showStatus(text);
        },
        [&app] { app.ui().beep(); },
        [this](bool busy) {
            if (pagingState_)
                pagingState_(busy);
        },
        [&app](int seconds) { advanceTimers(app.schedulerState(), seconds); }});
    pagerStatus_->setView([&app] { return app.pagerStatusView(); });
    sender_ = pagerStatus_.get();
    toolbarRun_ = std::make_unique<PagerStatusRun>(*pagerStatus_);
}

PagingFeature::~PagingFeature() = default;

BackgroundRun& PagingFeature::toolbarRun()
{
    return *toolbarRun_;
}

paging::RunReport PagingFeature::run(PagingSelector what)
{
    paging::SessionPagingStation station(app_.station(), rainRate_, app_.clock());
    paging::PagingContext context{
        app_.config(),
        app_.schedulerState(),
        app_.gate(),
        app_.shell(),
        app_.stationDir(),
        app_.stationDir() / paging::kSendQueueFileName,
        [this](const std::string& line) { app_.eventLog().logEvent(line); }};
    return paging::runEvaluation(context, what, station, sender_);
}

int PagingFeature::detectModem()
{
    return paging::detectModemPort(modemPort_, app_.shell());
}

void PagingFeature::openPagerSetup()
{
    // The dialogs work on a copy, so Cancel leaves every paging setting as it was.
    ConfigRecord copy = app_.config();
    paging::PagerSetupDialog dialog(
        copy, app_.shell(), app_.stationDir(),
        {[this](DayRange& range) { return runRangeDialog(app_.dialogHost(), app_.shell(), range); },
         [this] { return detectModem(); }});
    app_.settingsLauncher().runAndSave(dialog, [this, &copy] {
        app_.config() = copy;
        app_.saveConfiguration();
    });
    if (dialog.sendPageNow())
        run(PagingSelector::Both);
}

std::shared_ptr<PagingFeature> plugPaging(Application& app)
{
    auto feature = std::make_shared<PagingFeature>(app);
    app.activities().paging = [feature](PagingSelector what) { feature->run(what); };
    return feature;
}

std::shared_ptr<PagingFeature> addPagingCommands(MainCommands& commands, Application& app)
{
    std::shared_ptr<PagingFeature> feature = plugPaging(app);
    commands.setAction(CmdPager, [feature] { feature->openPagerSetup(); });
    commands.setPagerStatus(&feature->toolbarRun());
    feature->setPagingState([&commands](bool busy) { commands.setToolbarBusy(busy); });
    return feature;
}

} // namespace bv::app
