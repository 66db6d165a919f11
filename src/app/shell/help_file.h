#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

#include "platform/ui.h"

namespace bv::app {

// The program carries a copy of the help file (platform::kHelpFileName) and
// gives it to every station directory that has none.
using platform::kHelpFileName;

// Writes contents as "Viraraz.hlp" into stationDir unless something by that
// name is already there: a user's own or edited help file is never replaced.
// Returns the error of a failed write, which leaves no file behind, so the
// next start tries again.
std::error_code installHelpFile(const std::filesystem::path& stationDir, std::string_view contents);

} // namespace bv::app
