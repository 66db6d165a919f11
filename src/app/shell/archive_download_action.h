#pragma once

namespace bv::app {

class Application;

// How the main program shows a download's blocks.
enum class DownloadView {
    Dialog,   // the DOWNLOAD progress dialog (hollit with a window)
    Headless, // the event loop's timer, no window (hollit --headless)
};

// downloadArchive() as the main program runs it, from the Download command or
// the scheduler: the Archive dialog's settings from the configuration, the
// file in the station directory's Download folder, and the automatic-task gate
// held closed for the whole download.
void downloadArchiveNow(Application& app, DownloadView view);

// Makes the timed download (every downloadIntervalMin minutes, or before each
// timed transfer when downloadBeforeUpload is set) run downloadArchiveNow.
// The transfer cycle starts it through app.activities().downloadArchive().
void plugArchiveDownload(Application& app, DownloadView view);

} // namespace bv::app
