#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace bv::app {

// The help file the dialogs open at their topics: an HTML page in the station
// directory with one anchor per topic number. The program carries a copy and
// gives it to every station directory that has none.
inline constexpr std::string_view kHelpFileName = "Viraraz.hlp";

// Writes contents as "Viraraz.hlp" into stationDir unless something by that
// name is already there: a user's own or edited help file is never replaced.
// Returns the error of a failed write, which leaves no file behind, so the
// next start tries again.
std::error_code installHelpFile(const std::filesystem::path& stationDir, std::string_view contents);

} // namespace bv::app
