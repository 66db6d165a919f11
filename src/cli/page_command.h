#pragma once

#include "cli/command.h"
#include "cli/poll_command.h"

namespace bv::cli {

// viraraz page [--weather] [--alarms]: evaluates as a timed run does, writes
// sendpages.dat, prints it, and sends it through the paging modem (Com Port of
// Modem; ports/COMn of the station directory when that exists), printing
// "name: sent" or "name: NOT sent" per page; exit status 1 when any page
// failed or the station did not answer.
//
// viraraz page --dry-run [--weather] [--alarms]
//
// Runs one alarm and current-weather evaluation against the configured
// station, with pager.dat and alarm.dat of the station directory, and prints
// each queued page as "name (kind): page line" with control characters shown
// as \r and \n. --weather asks for the current-weather page and --alarms for
// the alarm check as if Page Current Weather or Page on Alarm were on; with
// neither, both run as config.dat has them switched. Nothing is sent, the
// station's sendpages.dat is left alone and its high wind speed is not reset.
// Exit status 1 when the station did not answer (its station-error pages are
// printed all the same).
int runPageCommand(CommandContext& context);

// The same on the given environment.
int pageStation(CommandContext& context, PollEnvironment& environment);

} // namespace bv::cli
