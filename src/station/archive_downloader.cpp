#include "station/archive_downloader.h"

#include "app/base/strings_shell.h"
#include "app/base/strings_station.h"
#include "app/base/text_pattern.h"
#include "station/archive_text.h"
#include "station/station_link.h"

namespace bv::station {

namespace {

std::string transferredText(int records)
{
    return app::fillPattern(app::strings::kDownloadTransferred, {std::to_string(records)});
}

DownloadReport finish(StationLink& link, const DownloadPreparation& prepared,
                      const ArchiveTransfer& transfer, const DownloadRequest& request,
                      const DownloadServices& services)
{
    const std::vector<ArchiveLine> lines =
        archiveLines(transfer.data(), prepared.plan, link.model(), prepared.decoding,
                     services.clock.localTime(), request.regional);
    const ArchiveFileResult written = writeArchiveFile(
        request.file, request.mode, archiveHeader(link.model().family), lines, request.regional);
    if (written.error) {
        // The station's memory is the only copy left: it is not cleared.
        services.messages.report(std::string(app::strings::kDatabaseWriteError));
        return {DownloadOutcome::WriteFailed, prepared.plan.records, 0};
    }
    DownloadReport report{DownloadOutcome::Transferred, prepared.plan.records,
                          written.linesWritten};
    if (request.clearAfter && services.clearArchive && services.clearArchive(link) < 0) {
        services.messages.event(std::string(app::strings::kArchiveClearError));
        report.outcome = DownloadOutcome::ClearFailed;
    }
    return report;
}

} // namespace

DownloadReport downloadOverLink(StationLink& link, const ConditionsUnits& units,
                                const DownloadRequest& request, const DownloadServices& services)
{
    using Result = DownloadPreparation::Result;
    const DownloadPreparation prepared = prepareDownload(link, units);
    if (prepared.result == Result::NoAnswer)
        return {DownloadOutcome::NoAnswer, 0, 0};
    if (prepared.result == Result::Empty)
        return {DownloadOutcome::Empty, 0, 0};

    ArchiveTransfer transfer(link, link.model(), prepared.plan);
    switch (services.runTransfer(transfer)) {
    case ArchiveTransfer::State::Complete:
        return finish(link, prepared, transfer, request, services);
    case ArchiveTransfer::State::Cancelled:
    case ArchiveTransfer::State::Running:
        return {DownloadOutcome::Cancelled, 0, 0};
    case ArchiveTransfer::State::TimedOut:
        services.messages.event(std::string(app::strings::kDownloadTimedOut));
        break;
    case ArchiveTransfer::State::TooManyErrors:
        services.messages.event(std::string(app::strings::kDownloadTooManyErrors));
        break;
    }
    return {DownloadOutcome::Abandoned, 0, 0};
}

std::string downloadMessage(const DownloadReport& report)
{
    switch (report.outcome) {
    case DownloadOutcome::Transferred:
    case DownloadOutcome::ClearFailed:
    case DownloadOutcome::Abandoned:
        return transferredText(report.records);
    case DownloadOutcome::Cancelled:
        return std::string(app::strings::kDownloadCancelledByUser);
    case DownloadOutcome::Empty:
        return std::string(app::strings::kDownloadArchiveEmpty);
    case DownloadOutcome::NoAnswer:
        return std::string(app::strings::kStationCommError.text);
    case DownloadOutcome::WriteFailed:
    case DownloadOutcome::NotRun:
        return {};
    }
    return {};
}

} // namespace bv::station
