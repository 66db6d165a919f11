#pragma once

#include "cli/command.h"
#include "platform/clock.h"
#include "platform/event_loop.h"
#include "station/serial_port.h"
#include "units/regional_settings.h"

namespace bv::cli {

// What a download runs on: the PC's clock, event loop and serial devices in
// viraraz; virtual time and an in-memory wire in tests.
struct DownloadEnvironment {
    platform::EventLoop& loop;
    platform::Clock& clock;
    station::SerialDeviceFactory makeDevice;
    units::RegionalSettings regional; // dates and times of the file and of event.log
    bool progressLine = false;        // err is a terminal: show the block count as it goes
};

// viraraz download [--append|--replace] [--clear] [--trace FILE]
//
// Downloads the configured station's archive into Download/<archiveFileName>
// of the station directory, as the main program does: appending only records
// newer than the file's last line or replacing the file (config.dat's
// archiveOverwrite unless an option says), and clearing the station's archive
// memory afterwards when --clear is given or config.dat asks for it. The
// outcome goes to err and event.log in the program's words; exit status 0
// when the file was written (or the archive was empty), 1 otherwise.
// --trace FILE writes every byte to and from the station (see poll).
int runDownloadCommand(CommandContext& context);

// The same on the given environment.
int downloadStationArchive(CommandContext& context, DownloadEnvironment& environment);

} // namespace bv::cli
