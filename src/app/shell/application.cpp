#include "app/shell/application.h"

#include "app/shell/help_file.h"
#include "station/port_services.h"

namespace bv::app {

namespace {

// What a "config.dat" that could not be loaded is renamed to at the first save.
constexpr std::string_view kUnloadedConfigSuffix = ".bad";

station::PortServices stationPortServices(platform::EventLoop& loop, const platform::Clock& clock,
                                          platform::Ui& ui, const std::filesystem::path& stationDir,
                                          StationDevices devices)
{
    station::PortServices services = station::systemPortServices(loop, clock, ui, stationDir);
    if (devices.makeDevice)
        services.makeDevice = std::move(devices.makeDevice);
    if (devices.devicePath)
        services.devicePath = std::move(devices.devicePath);
    return services;
}

} // namespace

void ActivityHandlers::startTransferCycle()
{
    if (transferCycle)
        transferCycle();
}

void ActivityHandlers::downloadArchive()
{
    if (archiveDownload)
        archiveDownload();
}

void ActivityHandlers::runPaging(PagingSelector what)
{
    if (paging)
        paging(what);
}

void ActivityHandlers::loggerTick()
{
    if (loggerStep)
        loggerStep();
}

Application::Application(platform::Ui& ui, platform::EventLoop& loop, const platform::Clock& clock,
                         const std::filesystem::path& stationDir, Edition edition,
                         StationDevices stationDevices)
    : ui_(ui), loop_(loop), clock_(clock),
      stationDir_(std::filesystem::absolute(stationDir).lexically_normal()), edition_(edition),
      eventLog_(stationDir_, clock_, regional_), shell_(ui_, clock_, regional_),
      portServices_(
          stationPortServices(loop_, clock_, ui_, stationDir_, std::move(stationDevices))),
      station_(portServices_,
          station::StationMessages{[this](const std::string& text) { shell_.showStatus(text); },
                                   [this](const std::string& text) { eventLog_.logEvent(text); }}),
      dialogHost_(ui_), settingsLauncher_(dialogHost_, gate_),
      loggerSchedule_(config_, gate_, clock_, processStarter_, eventLog_, shell_),
      scheduler_(config_, gate_, schedulerState_, clock_, activities_)
{
    loadDefaults(config_);
    eventLog_.setChangeListener([this] { ui_.eventLogChanged(); });
    activities_.loggerStep = [this] { loggerSchedule_.loggerTick(); };
}

Application::~Application()
{
    loop_.stopTimer(timerId_);
}

ConfigLoad Application::start(const std::vector<std::string>& args,
                              const units::RegionalSettings& regional)
{
    // The latches are armed before the configuration is read.
    schedulerState_ = SchedulerState{};
    const ConfigLoad loaded = startConfig(config_, stationDir_);
    keepUnloadedConfig_ = loaded == ConfigLoad::WrongSize || loaded == ConfigLoad::Unreadable;
    applyCommandLineSwitch(config_, args);
    applyStationSettings();
    regional_ = regional;
    loop_.stopTimer(timerId_);
    timerId_ = loop_.startTimer(Scheduler::kTickPeriodMs, [this] { tick(); });
    running_ = true;
    return loaded;
}

void Application::tick()
{
    ++ticks_;
    scheduler_.onTimerTick();
}

std::error_code Application::shutdown()
{
    // Before start() the record holds only the defaults: saving them would
    // overwrite the user's settings.
    if (!running_)
        return {};
    running_ = false;
    loop_.stopTimer(timerId_);
    timerId_ = 0;
    return saveConfiguration();
}

void Application::applyStationSettings()
{
    station_.configure(station::stationSettingsFrom(config_, station_.settings().units));
}

std::error_code Application::saveConfiguration()
{
    applyStationSettings();
    if (keepUnloadedConfig_) {
        const std::filesystem::path file = configFilePath(stationDir_);
        std::filesystem::path kept = file;
        kept += kUnloadedConfigSuffix;
        std::error_code error;
        std::filesystem::rename(file, kept, error);
        if (error && error != std::errc::no_such_file_or_directory)
            return error;
        keepUnloadedConfig_ = false;
        if (!error)
            eventLog_.logEvent(std::string(kConfigFileName) + " could not be loaded; kept as " +
                               kept.filename().string());
    }
    return saveConfig(config_, stationDir_);
}

std::error_code Application::provideHelpFile(std::string_view contents)
{
    const std::error_code error = installHelpFile(stationDir_, contents);
    if (error) {
        eventLog_.logEvent("Could not write the help file " + std::string(kHelpFileName) + ": " +
                           error.message());
    }
    return error;
}

} // namespace bv::app
