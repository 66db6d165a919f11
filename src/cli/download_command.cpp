#include "cli/download_command.h"

#include <unistd.h>

#include "app/base/event_log.h"
#include "cli/command_line.h"
#include "cli/command_ui.h"
#include "cli/station_trace.h"
#include "platform/headless/poll_event_loop.h"
#include "platform/linux/system_clock.h"
#include "platform/linux/termios_serial_device.h"
#include "station/archive_download_command.h"
#include "station/block_pacer.h"
#include "station/port_path.h"
#include "station/station_session.h"
#include "station/station_settings.h"

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

int downloadStationArchive(CommandContext& context, DownloadEnvironment& environment)
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
    CommandUi ui(context.err);
    app::EventLog eventLog(context.stationDir, environment.clock, environment.regional);
    const std::filesystem::path stationDir = context.stationDir;
    station::StationSession session(
        station::PortServices{
            environment.loop, environment.clock, ui, trace.wrap(environment.makeDevice),
            [stationDir](int port) { return station::portDevicePath(stationDir, port); }},
        station::StationMessages{
            [&ui](const std::string& text) { ui.setStatusText(text); },
            [&eventLog](const std::string& line) { eventLog.logEvent(line); }});
    session.configure(station::stationSettingsFrom(config));

    station::DownloadRequest request =
        station::downloadRequestFrom(config, context.stationDir, environment.regional);
    if (args.mode)
        request.mode = *args.mode;
    request.clearAfter = request.clearAfter || args.clear;

    const auto runTransfer = [&](station::ArchiveTransfer& transfer) {
        return station::runTransfer(environment.loop, transfer, [&] {
            if (environment.progressLine)
                ui.showProgress(transfer.progressText());
        });
    };
    const station::DownloadReport report =
        station::downloadArchive(session, request, runTransfer, environment.clock);
    if (environment.progressLine)
        ui.endProgress();
    if (report.outcome == station::DownloadOutcome::Transferred)
        context.out << request.file.string() << ": " << report.linesWritten << " new lines\n";
    return succeeded(report.outcome) ? kExitOk : kExitFailure;
}

int runDownloadCommand(CommandContext& context)
{
    platform::PollEventLoop loop;
    platform::SystemClock clock;
    DownloadEnvironment environment{
        loop, clock, [&loop] { return std::make_unique<platform::TermiosSerialDevice>(loop); },
        units::readRegionalSettings(), ::isatty(STDERR_FILENO) == 1};
    return downloadStationArchive(context, environment);
}

} // namespace bv::cli
