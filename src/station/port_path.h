#pragma once

#include <filesystem>
#include <string>

namespace bv::station {

// The device of port n ("COM" n): ports/COMn in the station directory when
// that link or file exists (a symlink to /dev/serial/by-id/... or to a
// simulator's pseudo-terminal), else /dev/ttyS(n-1). Empty for n < 1.
std::string portDevicePath(const std::filesystem::path& stationDir, int port);

} // namespace bv::station
