#include "cli/simulate_command.h"

#include <charconv>
#include <cstring>

#include "app/base/config_file.h"
#include "platform/headless/poll_event_loop.h"
#include "platform/headless/termination_signals.h"
#include "platform/linux/system_clock.h"
#include "sim/port_link.h"
#include "sim/pty_server.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"

namespace bv::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: viraraz simulate [--model NAME] [--port N] [--baud RATE] [--baud-pacing] [--seed S]\n";
constexpr int kHighestPort = 255;
constexpr int kBauds[] = {300, 1200, 2400, 4800, 9600, 19200};

template <class T> bool parseNumber(const std::string& text, T& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end;
}

bool knownBaud(int baud)
{
    for (int b : kBauds)
        if (b == baud)
            return true;
    return false;
}

} // namespace

SimulateArgs parseSimulateArgs(const std::vector<std::string>& args)
{
    SimulateArgs parsed;
    SimulateOptions& o = parsed.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--baud-pacing") {
            o.baudPacing = true;
            continue;
        }
        const bool takesValue =
            word == "--model" || word == "--port" || word == "--baud" || word == "--seed";
        if (!takesValue || i + 1 == args.size()) {
            parsed.error = takesValue ? word + " needs a value" : "unknown option " + word;
            return parsed;
        }
        const std::string& value = args[++i];
        int number = 0;
        if (word == "--model") {
            const sim::SimulatedModel* model = sim::findSimulatedModel(value);
            if (model == nullptr)
                parsed.error = "no station model is called \"" + value + "\"";
            else
                o.modelCode = model->modelCode;
        } else if (word == "--port") {
            if (!parseNumber(value, number) || number < 1 || number > kHighestPort)
                parsed.error = "--port takes a port number 1 to 255";
            o.port = number;
        } else if (word == "--baud") {
            if (!parseNumber(value, number) || !knownBaud(number))
                parsed.error = "--baud takes 300, 1200, 2400, 4800, 9600 or 19200";
            o.baud = number;
        } else if (!parseNumber(value, o.seed)) {
            parsed.error = "--seed takes a whole number";
        }
        if (!parsed.error.empty())
            return parsed;
    }
    return parsed;
}

int runSimulateCommand(CommandContext& context)
{
    const SimulateArgs parsed = parseSimulateArgs(context.args);
    if (!parsed.error.empty()) {
        context.err << "viraraz: " << parsed.error << '\n' << kUsage;
        return kExitUsage;
    }
    SimulateOptions options = parsed.options;
    app::ConfigRecord config;
    const app::ConfigLoad load = app::startConfig(config, context.stationDir);
    if (load == app::ConfigLoad::WrongSize || load == app::ConfigLoad::Unreadable) {
        context.err << "viraraz: " << app::configFilePath(context.stationDir).string()
                    << " cannot be read as a settings file\n";
        return kExitFailure;
    }
    const sim::SimulatedModel* model =
        sim::simulatedModelByCode(options.modelCode >= 0 ? options.modelCode : config.stationModel);
    if (model == nullptr) {
        context.err << "viraraz: config.dat names no station model (" << int{config.stationModel}
                    << "); give one with --model\n";
        return kExitUsage;
    }

    platform::PollEventLoop loop;
    const platform::SystemClock clock;
    sim::StationConfig station;
    station.model = *model;
    station.start = clock.localTime();
    station.weather.seed = options.seed;
    station.baud = options.baud.value_or(config.stationBaud);
    sim::StationSimulator simulator(station);
    sim::PtyServer server(loop, clock, simulator, {station.baud, options.baudPacing});
    if (const int error = server.open(); error != 0) {
        context.err << "viraraz: cannot make a pseudo-terminal: " << std::strerror(error) << '\n';
        return kExitFailure;
    }
    const std::string& device = server.slavePath();
    if (const std::error_code ec = sim::linkPort(context.stationDir, options.port, device)) {
        context.err << "viraraz: cannot link "
                    << sim::portLinkPath(context.stationDir, options.port).string() << ": "
                    << ec.message() << '\n';
        return kExitFailure;
    }
    const platform::TerminationSignals signals(loop, [&loop](int) { loop.quit(kExitOk); });
    context.out << "Simulating " << model->name << " at " << station.baud << " baud on " << device
                << " as " << sim::portLinkPath(context.stationDir, options.port).string()
                << "; stop with Ctrl+C.\n"
                << std::flush;
    const int status = loop.run();
    sim::unlinkPort(context.stationDir, options.port, device);
    return status;
}

} // namespace bv::cli
