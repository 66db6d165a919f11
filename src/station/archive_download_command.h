#pragma once

#include <filesystem>
#include <functional>

#include "app/base/config_record.h"
#include "platform/clock.h"
#include "station/archive_downloader.h"
#include "units/regional_settings.h"

namespace bv::station {

class StationSession;

// The folder of the archive text file in the station directory.
inline constexpr std::string_view kDownloadFolder = "Download";

// What the Archive dialog's settings ask of a download: the file
// Download/<archiveFileName>, replace or append, clear afterwards or not.
DownloadRequest downloadRequestFrom(const app::ConfigRecord& config,
                                    const std::filesystem::path& stationDir,
                                    const units::RegionalSettings& regional);

// Runs the started block loop to its end: the DOWNLOAD dialog in a window,
// the event loop's timer elsewhere.
using TransferRunner = std::function<ArchiveTransfer::State(ArchiveTransfer&)>;

// The download command: the session opens the configured model's port (and
// dials a remote station), the engine converts with the session's units, the
// port is closed afterwards. The outcome's message goes to the status line
// and the event log; a port that would not open the session has reported
// itself (outcome NotRun).
DownloadReport downloadArchive(StationSession& session, const DownloadRequest& request,
                               const TransferRunner& runTransfer, const platform::Clock& clock);

} // namespace bv::station
