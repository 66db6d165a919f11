#include "station/port_path.h"

#include <system_error>

namespace bv::station {

std::string portDevicePath(const std::filesystem::path& stationDir, int port)
{
    if (port < 1)
        return {};
    const std::filesystem::path local = stationDir / "ports" / ("COM" + std::to_string(port));
    std::error_code error;
    // A dangling link still names the port: opening it then fails as a missing device would.
    if (std::filesystem::exists(std::filesystem::symlink_status(local, error)))
        return local.string();
    return "/dev/ttyS" + std::to_string(port - 1);
}

} // namespace bv::station
