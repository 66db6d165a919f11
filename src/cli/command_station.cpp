#include "cli/command_station.h"

#include "platform/headless/poll_event_loop.h"
#include "platform/linux/system_clock.h"
#include "platform/linux/termios_serial_device.h"
#include "station/port_path.h"

namespace bv::cli {

void CommandUi::setStatusText(const std::string& text)
{
    if (!text.empty() && text != last_) {
        if (progress_ != nullptr)
            progress_->clear();
        err_ << "viraraz: " << text << '\n';
    }
    last_ = text;
}

CommandStation::CommandStation(const CommandContext& context, PollEnvironment& environment,
                               const app::ConfigRecord& config,
                               station::SerialDeviceFactory devices)
    : ui_(context.err), eventLog_(context.stationDir, environment.clock, environment.regional),
      session_(
          station::PortServices{environment.loop, environment.clock, ui_, std::move(devices),
                                [stationDir = context.stationDir](int port) {
                                    return station::portDevicePath(stationDir, port);
                                }},
          station::StationMessages{[this](const std::string& text) { ui_.setStatusText(text); },
                                   [this](const std::string& line) { eventLog_.logEvent(line); }})
{
    session_.configure(station::stationSettingsFrom(config));
}

int runOnSystem(CommandContext& context, int (*command)(CommandContext&, PollEnvironment&))
{
    platform::PollEventLoop loop;
    platform::SystemClock clock;
    PollEnvironment environment{
        loop, clock, [&loop] { return std::make_unique<platform::TermiosSerialDevice>(loop); },
        units::readRegionalSettings(), isTerminal(context.err)};
    return command(context, environment);
}

} // namespace bv::cli
