#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "platform/clock.h"
#include "station/archive_download.h"
#include "station/archive_file.h"
#include "station/archive_transfer.h"
#include "station/conditions_units.h"
#include "station/station_messages.h"
#include "units/regional_settings.h"

namespace bv::station {

class StationLink;

// How a download ended; each has its own message (downloadMessage).
enum class DownloadOutcome {
    Transferred, // the file holds the records; the memory was cleared when asked
    Cancelled,   // the user pressed Cancel
    Empty,       // the archive holds no record: no "DMP" was sent
    NoAnswer,    // the station did not answer, or answered noise
    Abandoned,   // timed out, or too many errors: no file written
    WriteFailed, // the file could not be written whole: the memory is kept
    ClearFailed, // the file is written, the memory could not be cleared
    NotRun,      // the port did not open, or another station action was under way
};

struct DownloadReport {
    DownloadOutcome outcome = DownloadOutcome::NoAnswer;
    int records = 0;      // records in the ring, once transferred
    int linesWritten = 0; // new lines in the file
};

// What a download is asked to do (the Archive dialog's settings).
struct DownloadRequest {
    std::filesystem::path file; // Download/<archiveFileName> in the station directory
    ArchiveFileMode mode = ArchiveFileMode::Append;
    bool clearAfter = false;
    units::RegionalSettings regional;
};

// The parts of the program a download reports to and runs with.
struct DownloadServices {
    // Runs the started block loop to its end and shows its progress: the
    // DOWNLOAD dialog, or the event loop's timer where there is no window.
    std::function<ArchiveTransfer::State(ArchiveTransfer&)> runTransfer;
    // Empties the station's archive ring on the open link: 0 or 1 for success.
    std::function<int(StationLink&)> clearArchive;
    const platform::Clock& clock;
    StationMessages messages; // the status line and the event log
};

// Downloads the archive over an open link: preparation, the block loop, the
// text file, and the clearing of the memory when asked for and when the file
// is safely written. The messages of the block loop and of the file go to the
// event log (and the file's to the status line); the outcome's own message is
// the caller's to report.
DownloadReport downloadOverLink(StationLink& link, const ConditionsUnits& units,
                                const DownloadRequest& request, const DownloadServices& services);

// "Transferred %d records from Archive." and the others; empty for an
// outcome whose message has been given already.
std::string downloadMessage(const DownloadReport& report);

} // namespace bv::station
