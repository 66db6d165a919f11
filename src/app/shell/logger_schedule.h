#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/base/automatic_tasks_gate.h"
#include "app/base/config_record.h"
#include "platform/child_process.h"
#include "platform/clock.h"

namespace bv::app {

class EventLog;
class Shell;

// How the logger's command text is started: its words (quotes honoured) and
// the directory it runs in, the program's own directory, or the station
// directory for a bare program name.
struct LoggerCommand {
    std::vector<std::string> words;
    std::filesystem::path workingDir;
};
LoggerCommand parseLoggerCommand(const std::string& text, const std::filesystem::path& stationDir);

// The daily window of the station maker's logger program: during it the
// program runs and this program's automatic work is held off; at its end the
// program is terminated and the work resumes.
class LoggerSchedule {
  public:
    LoggerSchedule(const ConfigRecord& config, AutoTaskGate& gate, const platform::Clock& clock,
                   platform::ProcessStarter& starter, EventLog& eventLog, Shell& shell);

    // Whether now lies in the window: the weekday is ticked and the minute is
    // the start, or the start equals the end, or start < now <= end.
    bool inLoggerWindow() const;
    // One step, on every tick of timer 1. Starts the program when the window
    // is entered while nothing else holds the gate, stops it when the window
    // is left or the schedule has been switched off.
    void loggerTick();
    void startLogger();
    void stopLogger();

    bool loggerRunning() const { return running_; }

  private:
    const ConfigRecord& config_;
    AutoTaskGate& gate_;
    const platform::Clock& clock_;
    platform::ProcessStarter& starter_;
    EventLog& eventLog_;
    Shell& shell_;
    std::unique_ptr<platform::ChildProcess> process_;
    bool running_ = false;
};

} // namespace bv::app
