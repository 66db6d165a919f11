#include "app/shell/headless_program.h"

#include "app/shell/archive_download_action.h"
#include "app/shell/help_file.h"
#include "app/shell/paging_feature.h"
#include "app/shell/transfer_cycle.h"
#include "platform/headless/headless_ui.h"
#include "platform/headless/poll_event_loop.h"
#include "platform/headless/termination_signals.h"
#include "platform/linux/system_clock.h"
#include "units/regional_settings.h"

namespace bv::app {

namespace {

std::string_view describe(ConfigLoad loaded)
{
    switch (loaded) {
    case ConfigLoad::Loaded:
        return "loaded";
    case ConfigLoad::Missing:
        return "missing, starting with the defaults";
    case ConfigLoad::WrongSize:
        return "not 1740 bytes long, starting with the defaults";
    case ConfigLoad::Unreadable:
        return "unreadable, starting with the defaults";
    }
    return "";
}

} // namespace

std::string enterStationDirectory(const ProgramOptions& options)
{
    if (options.stationDir.empty())
        return {};
    std::error_code error;
    std::filesystem::current_path(options.stationDir, error);
    if (error)
        return "cannot enter the station directory " + options.stationDir + ": " + error.message();
    return {};
}

int runHeadless(const ProgramOptions& options, Edition edition, std::string_view helpFile,
                std::ostream& log)
{
    const std::string_view name = programName(edition);
    platform::PollEventLoop loop;
    platform::HeadlessUi ui(log, platform::AnswerPolicy::Decline, &loop);
    platform::SystemClock clock;
    Application app(ui, loop, clock, std::filesystem::current_path(), edition);
    // Timed alarm and current-weather pages.
    const std::shared_ptr<PagingFeature> paging = plugPaging(app);
    TransferCycle transfer(app);

    int stopSignal = 0;
    platform::TerminationSignals signals(loop, [&loop, &stopSignal](int signalNumber) {
        stopSignal = signalNumber;
        loop.quit(0);
    });

    if (!signals.installed())
        log << name << ": cannot catch SIGTERM and SIGINT; stopping by a signal will not save "
            << kConfigFileName << std::endl;

    plugArchiveDownload(app, DownloadView::Headless);
    const ConfigLoad loaded =
        app.start(configurationSwitches(options), units::readRegionalSettings());
    log << name << ": running without a window in " << app.stationDir().string() << "; "
        << kConfigFileName << " " << describe(loaded) << std::endl;
    if (const std::error_code error = app.provideHelpFile(helpFile))
        log << name << ": could not write " << kHelpFileName << ": " << error.message()
            << std::endl;

    loop.run();

    const std::error_code saved = app.shutdown();
    log << name << ": stopped by signal " << stopSignal << " after " << app.ticks()
        << " ticks of timer 1; ";
    if (saved) {
        log << "could not save " << kConfigFileName << ": " << saved.message() << std::endl;
        return 1;
    }
    log << kConfigFileName << " saved" << std::endl;
    return 0;
}

} // namespace bv::app
