#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace bv::sim {

// ports/COMn in the station directory, where the program looks for the device
// of port n before /dev/ttyS(n-1).
std::filesystem::path portLinkPath(const std::filesystem::path& stationDir, int port);

// Points ports/COMn at target, creating ports/ when needed. A symlink into
// /dev/pts/ already there (left by an earlier run) is replaced; anything else,
// such as the user's link to a real adapter, is refused with file_exists.
std::error_code linkPort(const std::filesystem::path& stationDir, int port,
                         const std::string& target);

// Removes ports/COMn if it still points at target.
void unlinkPort(const std::filesystem::path& stationDir, int port, const std::string& target);

} // namespace bv::sim
