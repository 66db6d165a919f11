#include "cli/detect_command.h"

#include <string>

#include "app/base/config_file.h"
#include "app/base/strings_station.h"
#include "cli/command_line.h"
#include "cli/command_station.h"
#include "cli/progress_line.h"
#include "station/station_detector.h"

namespace bv::cli {

int detectStation(CommandContext& context, PollEnvironment& environment)
{
    if (!context.args.empty()) {
        context.err << "usage: viraraz detect\n";
        return kExitUsage;
    }
    app::ConfigRecord config;
    if (!loadStationConfig(context, config))
        return kExitFailure;
    if (config.stationViaModem) {
        context.err << "viraraz: " << app::strings::kAutoDetectDirectOnly << '\n';
        return kExitFailure;
    }
    CommandStation station(context, environment, config, environment.makeDevice);
    std::optional<station::DetectedStation> found;
    {
        ProgressLine progress(environment.loop, context.err, isTerminal(context.err));
        station.ui().setProgress(&progress);
        found = station.session().detectStation(
            [](const station::DetectedStation&) { return true; },
            [&progress](int port, int baud) {
                progress.show("trying COM" + std::to_string(port) + " at " + std::to_string(baud) +
                              " baud");
            });
        station.ui().setProgress(nullptr);
    }
    if (!found) {
        context.err << "viraraz: " << app::strings::kNoMoreStations << '\n';
        return kExitFailure;
    }
    config.stationComPort = static_cast<std::int8_t>(found->port);
    config.stationBaud = static_cast<std::int16_t>(found->baud);
    config.stationModel = static_cast<std::int8_t>(found->model->code);
    if (!found->model->rainCollector)
        config.rainCollector = 0;
    if (const std::error_code error = app::saveConfig(config, context.stationDir)) {
        context.err << "viraraz: cannot write config.dat: " << error.message() << '\n';
        return kExitFailure;
    }
    context.out << found->model->name << " on COM" << found->port << " at " << found->baud
                << " baud, stored in config.dat\n";
    return kExitOk;
}

int runDetectCommand(CommandContext& context)
{
    return runOnSystem(context, detectStation);
}

} // namespace bv::cli
