#pragma once

#include "cli/command.h"

namespace bv::cli {

// viraraz publish
//
// Runs one whole transfer cycle as the main program's timer would: reads the
// station, converts the templates of files.dat, makes the selected images and
// graphs, queues the archive file, connects and delivers. Prints one line per
// delivery ("F source -> destination: delivered" or "... FAILED") and every
// other failure; the exit status is 1 when anything failed (the station did
// not answer, a file, template or image was missing, the connection or a
// delivery failed), else 0.
int runPublishCommand(CommandContext& context);

} // namespace bv::cli
