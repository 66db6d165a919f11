#include "cli/dial_command.h"

#include "app/base/dialog_host.h"
#include "app/base/event_log.h"
#include "cli/command_line.h"
#include "platform/headless/headless_ui.h"
#include "platform/headless/poll_event_loop.h"
#include "platform/headless/termination_signals.h"
#include "platform/linux/spawned_process.h"
#include "platform/linux/system_clock.h"
#include "publish/ppp_dialer.h"
#include "units/regional_settings.h"

namespace bv::cli {
namespace {

constexpr int kWatchMs = 1000;

// What dialing and hanging up need: the loop, a Ui whose progress dialogs
// run without a display (their texts on stderr), the event log and pppd.
struct DialTools {
    explicit DialTools(CommandContext& context)
        : ui(context.err, platform::AnswerPolicy::Decline, &loop),
          eventLog(context.stationDir, clock, regional), host(ui),
          dialer(starter, host, eventLog, loop), dialUp(dialer, eventLog, loop)
    {
    }

    platform::PollEventLoop loop;
    platform::SystemClock clock;
    units::RegionalSettings regional = units::readRegionalSettings();
    platform::HeadlessUi ui;
    app::EventLog eventLog;
    app::DialogHost host;
    platform::SpawningStarter starter;
    publish::PppDialer dialer;
    publish::DialerDialUp dialUp;
};

// Neither command takes arguments; both read config.dat.
int readConfig(CommandContext& context, app::ConfigRecord& config)
{
    if (!context.args.empty()) {
        context.err << "usage: viraraz dial | viraraz hang-up\n";
        return kExitUsage;
    }
    return loadStationConfig(context, config) ? kExitOk : kExitFailure;
}

} // namespace

int runDialCommand(CommandContext& context)
{
    app::ConfigRecord config;
    if (const int status = readConfig(context, config); status != kExitOk)
        return status;
    DialTools tools(context);
    switch (tools.dialUp.dialUp(config)) {
    case publish::DialResult::UnusableEntry:
        context.err << "viraraz: the dial-up entry \"" << config.dialupEntry
                    << "\" is not usable\n";
        return kExitFailure;
    case publish::DialResult::Failed:
        context.err << "viraraz: dialing " << config.dialupEntry << " failed (see event.log)\n";
        return kExitFailure;
    case publish::DialResult::Connected:
        break;
    }
    context.out << "connected through " << config.dialupEntry
                << "; Ctrl+C or viraraz hang-up ends the connection" << std::endl;
    int stopSignal = 0;
    platform::TerminationSignals signals(tools.loop, [&](int signalNumber) {
        stopSignal = signalNumber;
        tools.loop.quit(0);
    });
    tools.loop.startTimer(kWatchMs, [&] {
        if (!tools.dialer.connectionActive(config.dialupEntry))
            tools.loop.quit(0);
    });
    tools.loop.run();
    if (stopSignal != 0)
        tools.dialUp.hangUp(config);
    context.out << "connection ended" << std::endl;
    return kExitOk;
}

int runHangUpCommand(CommandContext& context)
{
    app::ConfigRecord config;
    if (const int status = readConfig(context, config); status != kExitOk)
        return status;
    DialTools tools(context);
    if (!tools.dialUp.hangUp(config)) {
        context.err << "viraraz: the link of " << config.dialupEntry << " did not end\n";
        return kExitFailure;
    }
    context.out << "hung up " << config.dialupEntry << std::endl;
    return kExitOk;
}

} // namespace bv::cli
