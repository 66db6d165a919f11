#include "cli/template_commands.h"

#include <fstream>
#include <functional>
#include <iomanip>

#include "cli/command_line.h"
#include "cli/command_station.h"
#include "publish/template_job.h"
#include "publish/template_markers.h"

namespace bv::cli {
namespace {

constexpr std::string_view kConvertUsage = "usage: viraraz convert TEMPLATE\n";
constexpr std::string_view kTagsUsage = "usage: viraraz tags\n";
constexpr int kMarkerColumn = 26; // wide enough for "<!--totalsolarenergy-->"

// Polls the configured station and runs work with its markers, the port still
// open for the station-memory markers. kExitFailure when the station did not
// answer (work still runs: the markers then stay in place) or config.dat is
// unusable.
int withStationMarkers(CommandContext& context, PollEnvironment& environment,
                       const std::function<void(publish::TemplateMarkers&)>& work)
{
    app::ConfigRecord config;
    if (!loadStationConfig(context, config))
        return kExitFailure;
    CommandStation commandStation(context, environment, config, environment.makeDevice);
    station::StationSession& session = commandStation.session();
    const bool polled = session.pollCurrentConditions() == station::kDone;

    const station::StationModel* model = session.model();
    publish::TemplateMarkers markers(
        {session.conditions(), session.classicMemory(), session.tirrelMemory()},
        {model != nullptr && model->family == station::StationFamily::Tirrel,
         session.settings().units.temperature, environment.regional},
        environment.clock);
    work(markers);
    session.close();
    return polled ? kExitOk : kExitFailure;
}

} // namespace

int convertTemplateOn(CommandContext& context, PollEnvironment& environment)
{
    if (context.args.size() != 1) {
        context.err << kConvertUsage;
        return kExitUsage;
    }
    std::ifstream in(context.args[0], std::ios::binary);
    if (!in.is_open()) {
        context.err << "viraraz: cannot read template " << context.args[0] << '\n';
        return kExitFailure;
    }
    bool written = false;
    const int result =
        withStationMarkers(context, environment, [&](publish::TemplateMarkers& markers) {
            written = publish::convertLines(in, context.out, markers.expander());
        });
    return written ? result : kExitFailure;
}

int listTagsOn(CommandContext& context, PollEnvironment& environment)
{
    if (!context.args.empty()) {
        context.err << kTagsUsage;
        return kExitUsage;
    }
    return withStationMarkers(context, environment, [&](publish::TemplateMarkers& markers) {
        for (const std::string_view marker : markers.knownMarkers()) {
            context.out << std::left << std::setw(kMarkerColumn) << marker << ' '
                        << markers.expandTag(marker).value_or(std::string(marker)) << '\n';
        }
    });
}

int runConvertCommand(CommandContext& context)
{
    return runOnSystem(context, convertTemplateOn);
}

int runTagsCommand(CommandContext& context)
{
    return runOnSystem(context, listTagsOn);
}

} // namespace bv::cli
