#include "station/archive_download_command.h"

#include "station/archive_settings.h"
#include "station/rain_collector.h"
#include "station/station_session.h"

namespace bv::station {

DownloadRequest downloadRequestFrom(const app::ConfigRecord& config,
                                    const std::filesystem::path& stationDir,
                                    const units::RegionalSettings& regional)
{
    DownloadRequest request;
    request.file = stationDir / kDownloadFolder / config.archiveFileName;
    request.mode = config.archiveOverwrite ? ArchiveFileMode::Replace : ArchiveFileMode::Append;
    request.clearAfter = static_cast<bool>(config.clearArchiveAfterDownload);
    request.regional = regional;
    return request;
}

DownloadReport downloadArchive(StationSession& session, const DownloadRequest& request,
                               const TransferRunner& runTransfer, const platform::Clock& clock)
{
    const StationMessages& messages = session.messages();
    const DownloadServices services{runTransfer, clearArchiveMemory, clock, messages};
    DownloadReport report{DownloadOutcome::NotRun, 0, 0};
    // The engine's units, with the configured rain collector even when no
    // poll has given it to the engine yet.
    ConditionsUnits units = session.reader().units();
    if (const auto collector = configuredRainCollector(session.settings().rainCollector))
        units.collector = *collector;
    session.runOperation([&](StationLink& link) {
        report = downloadOverLink(link, units, request, services);
        return kDone;
    });
    const std::string message = downloadMessage(report);
    if (!message.empty())
        messages.report(message);
    return report;
}

} // namespace bv::station
