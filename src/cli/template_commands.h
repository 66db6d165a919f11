#pragma once

#include "cli/command.h"
#include "cli/poll_command.h"

namespace bv::cli {

// viraraz convert TEMPLATE
//
// Polls the configured station and prints on standard output the page that
// TEMPLATE (a path as given) gives now, every marker replaced as a transfer
// cycle would. When the station does not answer, the page is printed with its
// markers in place and the exit status is 1.
int runConvertCommand(CommandContext& context);
int convertTemplateOn(CommandContext& context, PollEnvironment& environment);

// viraraz tags
//
// Polls the configured station and prints every marker of its family with the
// text it is replaced by now, one per line; a marker that would stay in the
// page is printed as itself.
int runTagsCommand(CommandContext& context);
int listTagsOn(CommandContext& context, PollEnvironment& environment);

} // namespace bv::cli
