#pragma once

#include "cli/command.h"
#include "cli/poll_command.h"

namespace bv::cli {

// viraraz download [--append|--replace] [--clear] [--trace FILE]
//
// Downloads the configured station's archive into Download/<archiveFileName>
// of the station directory, as the main program does: appending only records
// newer than the file's last line or replacing the file (config.dat's
// archiveOverwrite unless an option says), and clearing the station's archive
// memory afterwards when --clear is given or config.dat asks for it. The
// records received show on a progress line on a terminal; the outcome goes to
// err and event.log in the program's words. Exit status 0 when the file was
// written (or the archive was empty), 1 otherwise. --trace FILE writes every
// byte to and from the station (see poll).
int runDownloadCommand(CommandContext& context);

// The same on the given environment.
int downloadStationArchive(CommandContext& context, PollEnvironment& environment);

} // namespace bv::cli
