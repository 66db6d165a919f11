#pragma once

#include "app/base/dialog.h"
#include "station/archive_transfer.h"
#include "station/block_pacer.h"

namespace bv::station {

namespace download_dialog {
inline constexpr int kProgressBar = 1001;
inline constexpr int kProgressText = 1002;
inline constexpr int kTimer = 1;
// Results besides OK (every block in) and Cancel (the user stopped it).
inline constexpr int kAbandoned = 3; // timed out, or too many errors
} // namespace download_dialog

// "DOWNLOAD", titled "Downloading Data ": a progress bar, a text line and
// Cancel. Opening it starts the transfer; its 100 ms timer reads the blocks.
// It ends with 1 when every block is in, 2 when the user cancelled (ESC sent)
// and 3 when the transfer was abandoned (time-out, too many errors).
class DownloadDialog : public app::Dialog {
  public:
    // clearing: the archive memory is cleared afterwards; otherwise the last
    // text says the archive is being synchronised.
    DownloadDialog(ArchiveTransfer& transfer, bool clearing);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;
    void handleTimer(platform::DialogView& view, int timerId) override;

  private:
    void showProgress(platform::DialogView& view);

    ArchiveTransfer& transfer_;
    BlockPacer pacer_;
    bool clearing_;
};

} // namespace bv::station
