#include "app/shell/logger_schedule.h"

#include "app/base/event_log.h"
#include "app/base/shell.h"
#include "app/base/strings_shell.h"

namespace bv::app {

constexpr int kMinutesPerHour = 60;

LoggerCommand parseLoggerCommand(const std::string& text, const std::filesystem::path& stationDir)
{
    LoggerCommand command;
    command.words = platform::splitCommandWords(text);
    const std::filesystem::path program = command.words.empty()
                                              ? std::filesystem::path()
                                              : std::filesystem::path(command.words.front());
    command.workingDir = program.has_parent_path() ? program.parent_path() : stationDir;
    return command;
}

LoggerSchedule::LoggerSchedule(const ConfigRecord& config, AutoTaskGate& gate,
                               const platform::Clock& clock, platform::ProcessStarter& starter,
                               EventLog& eventLog, Shell& shell)
    : config_(config), gate_(gate), clock_(clock), starter_(starter), eventLog_(eventLog),
      shell_(shell)
{
}

bool LoggerSchedule::inLoggerWindow() const
{
    const platform::WallTime now = clock_.localTime();
    // The days run Monday (0) to Sunday (6); the clock's weekday 0 is Sunday.
    const int day = now.weekday == 0 ? 6 : now.weekday - 1;
    if (config_.loggerDays[static_cast<std::size_t>(day)] != Flag(true))
        return false;
    const int minute = now.hour * kMinutesPerHour + now.minute;
    return minute == config_.loggerStartMin || config_.loggerStartMin == config_.loggerEndMin ||
           (config_.loggerStartMin < minute && minute <= config_.loggerEndMin);
}

void LoggerSchedule::loggerTick()
{
    const bool wanted = config_.loggerEnabled && inLoggerWindow();
    if (wanted && !running_ && gate_.allowed()) {
        startLogger();
        gate_.setHeld(GateHolder::Logger, true);
        running_ = true;
    } else if (!wanted && running_) {
        stopLogger();
        gate_.setHeld(GateHolder::Logger, false);
    }
}

void LoggerSchedule::startLogger()
{
    const LoggerCommand command =
        parseLoggerCommand(config_.loggerCommand, std::filesystem::path(config_.stationDir));
    std::error_code error;
    process_ =
        command.words.empty() ? nullptr : starter_.start(command.words, command.workingDir, error);
    if (!process_) {
        eventLog_.logEvent(strings::kLoggerStartError);
        shell_.showStatus(strings::kLoggerStartError);
    }
}

void LoggerSchedule::stopLogger()
{
    // Only a child of ours that still runs is signalled; one that ended by
    // itself is reaped and forgotten, and the failed stop is reported.
    const bool stopped = process_ && process_->terminate();
    process_.reset();
    running_ = false;
    if (!stopped) {
        eventLog_.logEvent(strings::kLoggerStopError);
        shell_.showStatus(strings::kLoggerStopError);
    }
}

} // namespace bv::app
