#include "cli/page_command.h"

#include <string>

#include <unistd.h>

#include "app/base/event_log.h"
#include "app/base/scheduler_state.h"
#include "app/base/shell.h"
#include "cli/command_line.h"
#include "cli/command_station.h"
#include "paging/alarm_run.h"
#include "paging/pager_status.h"
#include "paging/send_queue.h"
#include "paging/session_paging_station.h"
#include "station/port_path.h"

namespace bv::cli {
namespace {

constexpr std::string_view kUsage = "usage: viraraz page [--dry-run] [--weather] [--alarms]\n";
constexpr std::string_view kDryRun = "--dry-run";
constexpr std::string_view kWeather = "--weather";
constexpr std::string_view kAlarms = "--alarms";
constexpr int kSendPollMs = 100;

struct PageArgs {
    bool weather = false;
    bool alarms = false;
    bool dryRun = false;
    bool good = false;
};

PageArgs parsePageArgs(const std::vector<std::string>& args)
{
    PageArgs parsed;
    for (const std::string& arg : args) {
        if (arg == kDryRun)
            parsed.dryRun = true;
        else if (arg == kWeather)
            parsed.weather = true;
        else if (arg == kAlarms)
            parsed.alarms = true;
        else
            return parsed;
    }
    parsed.good = true;
    return parsed;
}

app::PagingSelector selectorFor(const PageArgs& args, app::ConfigRecord& config)
{
    if (args.weather)
        config.pageWeather = true;
    if (args.alarms)
        config.pageOnAlarm = true;
    if (args.weather && !args.alarms)
        return app::PagingSelector::WeatherPage;
    if (args.alarms && !args.weather)
        return app::PagingSelector::AlarmCheck;
    return app::PagingSelector::Both;
}

// A dry run reads the station but changes nothing on it.
class DryRunStation final : public paging::PagingStation {
  public:
    explicit DryRunStation(paging::PagingStation& station) : station_(station) {}
    bool readConditions() override { return station_.readConditions(); }
    units::StationFamily family() const override { return station_.family(); }
    paging::QuantityReadings& readings() override { return station_.readings(); }
    void resetHighWindSpeed() override {}
    void close() override { station_.close(); }

  private:
    paging::PagingStation& station_;
};

std::string visible(std::string_view line)
{
    std::string text;
    for (const char c : line) {
        if (c == '\r')
            text += "\\r";
        else if (c == '\n')
            text += "\\n";
        else
            text += c;
    }
    return text;
}

void printQueue(const std::filesystem::path& queue, std::ostream& out, std::ostream& err)
{
    paging::SendQueueReader reader(
        queue, [&err](const std::string& s) { err << "viraraz: " << s << '\n'; });
    while (const std::optional<paging::QueuedPage> page = reader.next())
        out << page->entry.name << " (" << paging::kindName(page->entry.kind)
            << "): " << visible(page->pageLine) << '\n';
}

} // namespace

int pageStation(CommandContext& context, PollEnvironment& environment)
{
    const PageArgs args = parsePageArgs(context.args);
    if (!args.good) {
        context.err << kUsage;
        return kExitUsage;
    }
    app::ConfigRecord config;
    if (!loadStationConfig(context, config))
        return kExitFailure;
    const app::PagingSelector selector = selectorFor(args, config);

    CommandStation station(context, environment, config, environment.makeDevice);
    app::EventLog& eventLog = station.eventLog();
    app::Shell shell(station.ui(), environment.clock, environment.regional);

    paging::RainRateTracker rainRate;
    paging::SessionPagingStation paging(station.session(), rainRate, environment.clock);
    DryRunStation dryRun(paging);
    app::SchedulerState latches;
    app::AutoTaskGate gate;
    const std::filesystem::path queue =
        args.dryRun ? std::filesystem::temp_directory_path() /
                          ("viraraz-page-" + std::to_string(environment.clock.monotonicMs()) + "-" +
                           std::to_string(::getpid()) + ".dat")
                    : context.stationDir / paging::kSendQueueFileName;
    const paging::LogFn log = [&eventLog](const std::string& line) { eventLog.logEvent(line); };
    paging::PagingContext pagingContext{config, latches, gate, shell, context.stationDir,
                                        queue,  log};

    // The pages go out on the paging modem's own port, as the window sends them.
    station::ClassicPort modemPort(
        station::PortServices{environment.loop, environment.clock, station.ui(),
                              environment.makeDevice, [stationDir = context.stationDir](int port) {
                                  return station::portDevicePath(stationDir, port);
                              }});
    paging::PagerStatus sender(paging::PagerStatusServices{
        environment.loop, modemPort,
        [&config] {
            return paging::ModemSetup{config.pagerComPort, config.pagerModemInit};
        },
        log,
        [&shell](std::string_view text) {
            if (!text.empty())
                shell.showStatus(text);
        },
        [] {}, [](bool) {}, [&latches](int seconds) { app::advanceTimers(latches, seconds); }});
    bool allSent = true;
    sender.setPageReport([&context, &allSent](const std::string& name, bool sent) {
        context.out << name << ": " << (sent ? "sent" : "NOT sent") << '\n';
        allSent = allSent && sent;
    });

    const paging::RunReport report =
        args.dryRun ? paging::runEvaluation(pagingContext, selector, dryRun, nullptr)
                    : paging::runEvaluation(pagingContext, selector, paging, &sender);
    if (!report.ran) {
        context.err << "viraraz: neither Page on Alarm nor Page Current Weather is on; "
                       "give --weather or --alarms\n";
        return kExitFailure;
    }
    if (args.dryRun) {
        printQueue(queue, context.out, context.err);
        std::error_code ignored;
        std::filesystem::remove(queue, ignored);
        context.out << report.pages << (report.pages == 1 ? " page" : " pages")
                    << " queued; nothing sent (dry run)\n";
        return report.stationRead ? kExitOk : kExitFailure;
    }
    // The pages as queued, then each one's outcome as the sender finishes it:
    // its waits run on the event loop until the queue is done.
    printQueue(queue, context.out, context.err);
    while (sender.running())
        environment.loop.pause(kSendPollMs);
    return report.stationRead && allSent ? kExitOk : kExitFailure;
}

int runPageCommand(CommandContext& context)
{
    return runOnSystem(context, pageStation);
}

} // namespace bv::cli
