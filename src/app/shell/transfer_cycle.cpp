#include "app/shell/transfer_cycle.h"

#include "app/shell/application.h"

namespace bv::app {

TransferCycle::TransferCycle(Application& app, publish::PppPlaces places)
    : app_(app),
      window_(app.eventLoop(), app.shell(), app.gate(), app.config(), [this] { return makeWork(); },
              {[this](bool busy) {
                   if (toolbarBusy_)
                       toolbarBusy_(busy);
               },
               [this](publish::TransferWindow::End why) {
                   if (ended_)
                       ended_(why);
               }})
{
    if (app.edition() == Edition::WithDialUp) {
        dialer_ = std::make_unique<publish::PppDialer>(starter_, app.dialogHost(), app.eventLog(),
                                                       app.eventLoop(), std::move(places));
        dialUp_ =
            std::make_unique<publish::DialerDialUp>(*dialer_, app.eventLog(), app.eventLoop());
    } else {
        dialUp_ = std::make_unique<publish::WithoutDialUp>([&app] { app.station().close(); });
    }
    app.activities().transferCycle = [this] { startTimed(); };
}

TransferCycle::~TransferCycle()
{
    app_.activities().transferCycle = nullptr;
}

void TransferCycle::start()
{
    window_.start();
}

void TransferCycle::startTimed()
{
    if (window_.running())
        return;
    ActivityHandlers& activities = app_.activities();
    if (app_.config().downloadBeforeUpload && activities.archiveDownload)
        activities.archiveDownload();
    window_.start();
}

std::unique_ptr<publish::TransferWork> TransferCycle::makeWork()
{
    return std::make_unique<publish::PublishWork>(publish::PublishContext{
        app_.eventLoop(), app_.clock(), app_.config(), app_.stationDir(), app_.regional(),
        app_.eventLog(), app_.shell(), app_.station(), *dialUp_, delivered_, problem_});
}

} // namespace bv::app
