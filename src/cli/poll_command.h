#pragma once

#include "cli/command.h"
#include "platform/clock.h"
#include "platform/event_loop.h"
#include "station/serial_port.h"
#include "units/regional_settings.h"

namespace bv::cli {

// What a poll runs on: the PC's clock, event loop and serial devices in
// viraraz; virtual time and an in-memory wire in tests.
struct PollEnvironment {
    platform::EventLoop& loop;
    platform::Clock& clock;
    station::SerialDeviceFactory makeDevice;
    units::RegionalSettings regional; // the date and time of event.log lines
    bool terminal = false;            // stderr is a terminal: show a progress line
};

// viraraz poll [--json]
//
// Polls the configured station once (model, port and baud rate from
// config.dat; port n is ports/COMn of the station directory when that exists)
// and prints the current conditions, every station-memory value of the
// station's family with the times of the day's highs and lows, and the derived
// values, as text or JSON. Missing values print as "----" (null in JSON). A
// station that does not answer gives "Station Communication Error. Check
// station settings." (also in event.log) and exit status 1; so does every
// other failure, each with its message on stderr. On a terminal a progress
// line says what the poll is doing once it has taken more than a second.
int runPollCommand(CommandContext& context);

// The same on the given environment.
int pollStation(CommandContext& context, PollEnvironment& environment);

} // namespace bv::cli
