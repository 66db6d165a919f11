#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "app/base/config_record.h"
#include "app/base/event_log.h"
#include "cli/command.h"
#include "cli/poll_command.h"
#include "cli/progress_line.h"
#include "platform/headless/headless_ui.h"
#include "station/station_session.h"

namespace bv::cli {

// Status lines of a command go to err as "viraraz: " and the text, each once,
// in place of the command's progress line when it has one.
class CommandUi : public platform::HeadlessUi {
  public:
    explicit CommandUi(std::ostream& err) : HeadlessUi(err), err_(err) {}
    void setStatusText(const std::string& text) override;
    void setProgress(ProgressLine* progress) { progress_ = progress; }

  private:
    std::ostream& err_;
    ProgressLine* progress_ = nullptr;
    std::string last_;
};

// The station session of one command: ports on the environment (port n is
// ports/COMn of the station directory when that exists), status lines on err,
// event-log lines in event.log, configured from config.
class CommandStation {
  public:
    CommandStation(const CommandContext& context, PollEnvironment& environment,
                   const app::ConfigRecord& config, station::SerialDeviceFactory devices);

    station::StationSession& session() { return session_; }
    app::EventLog& eventLog() { return eventLog_; }
    CommandUi& ui() { return ui_; }

  private:
    CommandUi ui_;
    app::EventLog eventLog_;
    station::StationSession session_;
};

// Runs command on the PC's clock, event loop and serial devices, with the
// user's regional formats.
int runOnSystem(CommandContext& context, int (*command)(CommandContext&, PollEnvironment&));

} // namespace bv::cli
