#include "app/shell/archive_download_action.h"

#include "app/base/automatic_tasks_gate.h"
#include "app/shell/application.h"
#include "station/archive_download_command.h"
#include "station/block_pacer.h"
#include "station/download_dialog.h"

namespace bv::app {

void downloadArchiveNow(Application& app, DownloadView view)
{
    const GateHold hold(app.gate(), GateHolder::ArchiveDownload);
    const station::DownloadRequest request =
        station::downloadRequestFrom(app.config(), app.stationDir(), app.regional());
    station::TransferRunner run;
    if (view == DownloadView::Dialog) {
        run = [&app, &request](station::ArchiveTransfer& transfer) {
            station::DownloadDialog dialog(transfer, request.clearAfter);
            app.dialogHost().runModal(dialog);
            return transfer.state();
        };
    } else {
        run = [&app](station::ArchiveTransfer& transfer) {
            return station::runTransfer(app.eventLoop(), transfer, {});
        };
    }
    station::downloadArchive(app.station(), request, run, app.clock());
}

void plugArchiveDownload(Application& app, DownloadView view)
{
    app.activities().archiveDownload = [&app, view] { downloadArchiveNow(app, view); };
}

} // namespace bv::app
