#include "cli/download_command.h"

#include "cli/command_line.h"
#include "cli/command_station.h"
#include "cli/progress_line.h"
#include "cli/station_trace.h"
#include "station/archive_download_command.h"
#include "station/block_pacer.h"

namespace bv::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: viraraz download [--append|--replace] [--clear] [--trace FILE]\n";
constexpr std::string_view kTraceOption = "--trace";

struct DownloadArgs {
    std::optional<station::ArchiveFileMode> mode; // nothing: config.dat's
    bool clear = false;
    std::string tracePath; // empty: no trace
    bool good = true;
};

DownloadArgs parseDownloadArgs(std::vector<std::string> args)
{
    DownloadArgs parsed;
    const TakenOption trace = takeOption(args, kTraceOption);
    parsed.tracePath = trace.value.value_or("");
    parsed.good = trace.error.empty() && !(trace.value && trace.value->empty());
    for (const std::string& arg : args) {
        const bool append = arg == "--append";
        if ((append || arg == "--replace") && !parsed.mode)
            parsed.mode =
                append ? station::ArchiveFileMode::Append : station::ArchiveFileMode::Replace;
        else if (arg == "--clear" && !parsed.clear)
            parsed.clear = true;
        else
            parsed.good = false;
    }
    return parsed;
}

bool succeeded(station::DownloadOutcome outcome)
{
    return outcome == station::DownloadOutcome::Transferred ||
           outcome == station::DownloadOutcome::Empty;
}

} // namespace

int downloadStationArchive(CommandContext& context, PollEnvironment& environment)
{
    const DownloadArgs args = parseDownloadArgs(context.args);
    if (!args.good) {
        context.err << kUsage;
        return kExitUsage;
    }
    app::ConfigRecord config;
    if (!loadStationConfig(context, config))
        return kExitFailure;
    StationTrace trace(args.tracePath, environment.clock);
    if (!trace.error().empty()) {
        context.err << "viraraz: " << trace.error() << '\n';
        return kExitFailure;
    }
    CommandStation station(context, environment, config, trace.wrap(environment.makeDevice));

    station::DownloadRequest request =
        station::downloadRequestFrom(config, context.stationDir, environment.regional);
    if (args.mode)
        request.mode = *args.mode;
    request.clearAfter = request.clearAfter || args.clear;

    const auto runTransfer = [&](station::ArchiveTransfer& transfer) {
        // Gone before the outcome is reported.
        ProgressLine progress(environment.loop, context.err, isTerminal(context.err));
        return station::runTransfer(environment.loop, transfer,
                                    [&] { progress.show(transfer.progressText()); });
    };
    const station::DownloadReport report =
        station::downloadArchive(station.session(), request, runTransfer, environment.clock);
    if (report.outcome == station::DownloadOutcome::Transferred)
        context.out << request.file.string() << ": " << report.linesWritten << " new lines\n";
    return succeeded(report.outcome) ? kExitOk : kExitFailure;
}

int runDownloadCommand(CommandContext& context)
{
    return runOnSystem(context, downloadStationArchive);
}

} // namespace bv::cli
