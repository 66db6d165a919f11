#include "cli/poll_command.h"

#include <string>

#include "cli/command_line.h"
#include "cli/command_station.h"
#include "cli/poll_report.h"
#include "cli/progress_line.h"
#include "cli/station_trace.h"
#include "station/result_codes.h"
#include "station/station_models.h"
#include "station/station_session.h"

namespace bv::cli {
namespace {

constexpr std::string_view kUsage = "usage: viraraz poll [--json] [--trace FILE]\n";
constexpr std::string_view kJsonOption = "--json";
constexpr std::string_view kTraceOption = "--trace";

struct PollArgs {
    bool json = false;
    std::string tracePath; // empty: no trace
    bool good = true;
};

PollArgs parsePollArgs(std::vector<std::string> args)
{
    PollArgs parsed;
    const TakenOption trace = takeOption(args, kTraceOption);
    parsed.tracePath = trace.value.value_or("");
    parsed.json = args.size() == 1 && args[0] == kJsonOption;
    const bool noTraceFile = trace.value && trace.value->empty();
    parsed.good = trace.error.empty() && !noTraceFile && (args.empty() || parsed.json);
    return parsed;
}

} // namespace

int pollStation(CommandContext& context, PollEnvironment& environment)
{
    const PollArgs args = parsePollArgs(context.args);
    if (!args.good) {
        context.err << kUsage;
        return kExitUsage;
    }
    app::ConfigRecord config;
    if (!loadStationConfig(context, config))
        return kExitFailure;
    const station::StationModel* model = station::findStationModel(config.stationModel);
    if (model == nullptr) {
        context.err << "viraraz: config.dat names no station model (" << int{config.stationModel}
                    << ")\n";
        return kExitFailure;
    }

    StationTrace trace(args.tracePath, environment.clock);
    if (!trace.error().empty()) {
        context.err << "viraraz: " << trace.error() << '\n';
        return kExitFailure;
    }
    // Made before the station, whose status lines erase it, and gone after it.
    ProgressLine progress(environment.loop, context.err, environment.terminal);
    CommandStation commandStation(context, environment, config, trace.wrap(environment.makeDevice));
    commandStation.ui().setProgress(&progress);
    station::StationSession& session = commandStation.session();
    const std::string portName = "COM" + std::to_string(config.stationComPort);
    progress.show("polling the " + std::string(model->name) + " on " + portName);

    // The session has said why on stderr (and in event.log).
    if (session.pollCurrentConditions() != station::kDone) {
        session.close();
        return kExitFailure;
    }
    const bool tirrel = model->family == station::StationFamily::Tirrel;
    progress.show("reading the station's memory");
    const std::vector<ReportSection> report =
        tirrel ? tirrelReport(session.tirrelReader(), session.conditions().tirrel)
               : classicReport(session.classicReader(), session.conditions().classic);
    session.close();
    progress.clear();

    const units::UnitsSelection& units = session.settings().units;
    if (args.json) {
        printReportJson("  \"model\": \"" + std::string(model->name) +
                            "\",\n  \"port\": " + std::to_string(config.stationComPort) +
                            ",\n  \"baud\": " + std::to_string(config.stationBaud) + ",\n",
                        report, units, context.out);
    } else {
        printReportText(std::string(model->name) + " on " + portName + " at " +
                            std::to_string(config.stationBaud) + " baud\n",
                        report, units, context.out);
    }
    return kExitOk;
}

int runPollCommand(CommandContext& context)
{
    return runOnSystem(context, pollStation);
}

} // namespace bv::cli
