#include "station/download_dialog.h"

#include <cmath>
#include <string>

#include "app/base/strings_station.h"
#include "app/base/template_builder.h"

namespace bv::station {

using namespace download_dialog;
using platform::ControlKind;

namespace {

constexpr int kBarSteps = 1000;
constexpr int kTextWidth = 48; // characters: "Transferred 1560 of 1560.  20 Errors: ..."

platform::DialogTemplate downloadTemplate()
{
    app::TemplateBuilder b("DOWNLOAD", std::string(app::strings::kDownloadDialogTitle), 0);
    platform::ControlSpec& bar = b.add(kProgressBar, ControlKind::ProgressBar, "", 0);
    bar.maximum = kBarSteps;
    bar.widthChars = kTextWidth;
    b.add(kProgressText, ControlKind::StaticText, "", 1).widthChars = kTextWidth;
    b.button(platform::IdCancel, "Cancel", 0);
    return b.take();
}

} // namespace

DownloadDialog::DownloadDialog(ArchiveTransfer& transfer, bool clearing)
    : Dialog(downloadTemplate()), transfer_(transfer), pacer_(transfer), clearing_(clearing)
{
}

void DownloadDialog::handleOpen(platform::DialogView& view)
{
    view.setRange(kProgressBar, 0, kBarSteps);
    view.setValue(kProgressBar, 0);
    transfer_.start();
    showProgress(view);
    view.startTimer(kTimer, BlockPacer::kTickMs);
}

void DownloadDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    if (id != platform::IdCancel)
        return;
    view.killTimer(kTimer);
    transfer_.cancel();
    end(view, platform::IdCancel);
}

void DownloadDialog::handleTimer(platform::DialogView& view, int timerId)
{
    if (timerId != kTimer || !pacer_.onTick())
        return;
    showProgress(view);
    switch (transfer_.state()) {
    case ArchiveTransfer::State::Running:
    case ArchiveTransfer::State::Cancelled:
        return;
    case ArchiveTransfer::State::Complete:
        view.killTimer(kTimer);
        if (!clearing_)
            view.setText(kProgressText, std::string(app::strings::kSynchronizingArchive));
        end(view, platform::IdOk);
        return;
    case ArchiveTransfer::State::TimedOut:
    case ArchiveTransfer::State::TooManyErrors:
        view.killTimer(kTimer);
        end(view, kAbandoned);
        return;
    }
}

void DownloadDialog::showProgress(platform::DialogView& view)
{
    view.setText(kProgressText, transfer_.progressText());
    view.setValue(kProgressBar, static_cast<int>(std::lround(transfer_.fraction() * kBarSteps)));
}

} // namespace bv::station
