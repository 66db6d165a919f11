#include "cli/simulate_command.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "cli/command_line.h"
#include "platform/headless/poll_event_loop.h"
#include "platform/headless/termination_signals.h"
#include "platform/linux/system_clock.h"
#include "sim/paging_service.h"
#include "sim/port_link.h"
#include "sim/pty_server.h"
#include "sim/simulated_model.h"
#include "sim/station_simulator.h"

namespace bv::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: viraraz simulate [--model NAME] [--port N] [--baud RATE] [--baud-pacing] [--seed S]\n"
    "                        [--archive-period MIN] [--history-hours H] [--modem N]\n"
    "                        [--start \"YYYY-MM-DD HH:MM\"]\n";
constexpr int kHighestPort = 255;
constexpr int kBauds[] = {300, 1200, 2400, 4800, 9600, 19200};
constexpr int kFallbackBaud = 2400; // when config.dat holds a rate the line cannot run at
constexpr int kModemBaud = 2400;    // what the paging modem's line is paced at
constexpr int kMaxArchivePeriodMin = 120;
constexpr int kMaxHistoryHours = 2000; // about 12 weeks: a full ring even at 2-hour periods

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

std::optional<platform::WallTime> parseStart(const std::string& text)
{
    platform::WallTime t;
    char end = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%c", &t.year, &t.month, &t.day, &t.hour,
                    &t.minute, &end) != 5)
        return std::nullopt;
    const bool valid = t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 && t.hour >= 0 &&
                       t.hour < 24 && t.minute >= 0 && t.minute < 60;
    return valid ? std::optional(t) : std::nullopt;
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
        const bool takesValue = word == "--model" || word == "--port" || word == "--baud" ||
                                word == "--seed" || word == "--archive-period" ||
                                word == "--history-hours" || word == "--modem" || word == "--start";
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
        } else if (word == "--port" || word == "--modem") {
            if (!parseNumber(value, number) || number < 1 || number > kHighestPort)
                parsed.error = word + " takes a port number 1 to 255";
            (word == "--port" ? o.port : o.modemPort) = number;
        } else if (word == "--baud") {
            if (!parseNumber(value, number) || !knownBaud(number))
                parsed.error = "--baud takes 300, 1200, 2400, 4800, 9600 or 19200";
            o.baud = number;
        } else if (word == "--archive-period") {
            if (!parseNumber(value, number) || number < 1 || number > kMaxArchivePeriodMin)
                parsed.error = "--archive-period takes minutes, 1 to 120";
            o.archivePeriodMin = number;
        } else if (word == "--history-hours") {
            if (!parseNumber(value, number) || number < 0 || number > kMaxHistoryHours)
                parsed.error = "--history-hours takes hours, 0 to 2000";
            o.historyHours = number;
        } else if (word == "--start") {
            o.start = parseStart(value);
            if (!o.start)
                parsed.error = "--start takes a local time \"YYYY-MM-DD HH:MM\"";
        } else if (!parseNumber(value, o.seed)) {
            parsed.error = "--seed takes a whole number";
        }
        if (!parsed.error.empty())
            return parsed;
    }
    return parsed;
}

namespace {

// Where the simulated station differs from what config.dat tells the programs
// to poll, says so and how to make them agree.
void noteConfigDifferences(const app::ConfigRecord& config, const sim::SimulatedModel& model,
                           int port, int baud, std::ostream& err)
{
    const auto note = [&err](const std::string& field, const std::string& configured,
                             const std::string& simulated) {
        err << "viraraz: config.dat has " << field << ' ' << configured << "; viraraz config set "
            << field << ' ' << simulated << " makes the programs poll this station\n";
    };
    if (model.modelCode != config.stationModel) {
        const sim::SimulatedModel* configured = sim::simulatedModelByCode(config.stationModel);
        note("stationModel",
             configured != nullptr ? '"' + std::string(configured->name) + '"'
                                   : std::to_string(config.stationModel),
             '"' + std::string(model.name) + '"');
    }
    if (port != config.stationComPort)
        note("stationComPort", std::to_string(config.stationComPort), std::to_string(port));
    if (baud != config.stationBaud)
        note("stationBaud", std::to_string(config.stationBaud), std::to_string(baud));
}

// Opens server's pseudo-terminal and links ports/COMn to it; false after
// saying why not.
bool serveOnPort(sim::PtyServer& server, const std::filesystem::path& stationDir, int port,
                 std::ostream& err)
{
    if (const int error = server.open(); error != 0) {
        err << "viraraz: cannot make a pseudo-terminal: " << std::strerror(error) << '\n';
        return false;
    }
    if (const std::error_code ec = sim::linkPort(stationDir, port, server.slavePath())) {
        err << "viraraz: cannot link " << sim::portLinkPath(stationDir, port).string() << ": "
            << ec.message() << '\n';
        return false;
    }
    return true;
}

} // namespace

int runSimulateCommand(CommandContext& context)
{
    const SimulateArgs parsed = parseSimulateArgs(context.args);
    if (!parsed.error.empty()) {
        context.err << "viraraz: " << parsed.error << '\n' << kUsage;
        return kExitUsage;
    }
    const SimulateOptions& options = parsed.options;
    app::ConfigRecord config;
    if (!loadStationConfig(context, config))
        return kExitFailure;
    const sim::SimulatedModel* model =
        sim::simulatedModelByCode(options.modelCode >= 0 ? options.modelCode : config.stationModel);
    if (model == nullptr) {
        context.err << "viraraz: config.dat names no station model (" << int{config.stationModel}
                    << "); give one with --model\n";
        return kExitUsage;
    }
    const bool configuredPortUsable =
        config.stationComPort >= 1 && config.stationComPort <= kHighestPort;
    const int port = options.port.value_or(configuredPortUsable ? config.stationComPort : 1);
    if (options.modemPort == port) {
        context.err << "viraraz: --modem needs a port of its own, not the station's " << port
                    << '\n';
        return kExitUsage;
    }

    platform::PollEventLoop loop;
    // Taken before the link exists, so that a stop never leaves it behind.
    const platform::TerminationSignals signals(loop, [&loop](int) { loop.quit(kExitOk); });
    const platform::SystemClock clock;
    sim::StationConfig station;
    station.model = *model;
    station.start = options.start.value_or(clock.localTime());
    station.weather.seed = options.seed;
    station.archivePeriodMin = options.archivePeriodMin.value_or(station.archivePeriodMin);
    station.historyHours = options.historyHours.value_or(station.historyHours);
    station.baud =
        options.baud.value_or(knownBaud(config.stationBaud) ? config.stationBaud : kFallbackBaud);
    sim::StationSimulator simulator(station);
    sim::PtyServer server(loop, clock, simulator, {station.baud, options.baudPacing});
    if (!serveOnPort(server, context.stationDir, port, context.err))
        return kExitFailure;
    // The paging modem: numeric and telephone pages are recorded, alphanumeric
    // ones reach its TAP terminal.
    sim::PagingService pagingModem;
    pagingModem.setListener([&context](const std::string& text) {
        context.out << "Paging modem: " << text << '\n' << std::flush;
    });
    sim::PtyServer modemServer(loop, clock, pagingModem, {kModemBaud, options.baudPacing});
    if (options.modemPort) {
        if (!serveOnPort(modemServer, context.stationDir, *options.modemPort, context.err)) {
            sim::unlinkPort(context.stationDir, port, server.slavePath());
            return kExitFailure;
        }
    }
    noteConfigDifferences(config, *model, port, station.baud, context.err);
    if (options.modemPort && *options.modemPort != config.pagerComPort)
        context.err << "viraraz: config.dat has pagerComPort " << int{config.pagerComPort}
                    << "; viraraz config set pagerComPort " << *options.modemPort
                    << " makes the programs page through this modem\n";
    context.out << "Simulating " << model->name << " at " << station.baud << " baud on "
                << server.slavePath() << " as "
                << sim::portLinkPath(context.stationDir, port).string() << "; stop with Ctrl+C.\n";
    if (options.modemPort)
        context.out << "Paging modem on " << modemServer.slavePath() << " as "
                    << sim::portLinkPath(context.stationDir, *options.modemPort).string() << ".\n";
    context.out << std::flush;
    const int status = loop.run();
    sim::unlinkPort(context.stationDir, port, server.slavePath());
    if (options.modemPort)
        sim::unlinkPort(context.stationDir, *options.modemPort, modemServer.slavePath());
    return status;
}

} // namespace bv::cli
