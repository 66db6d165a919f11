#include "sim/port_link.h"

#include <string_view>

namespace bv::sim {

namespace fs = std::filesystem;

namespace {

// Where pseudo-terminals live; the only links a simulator ever makes.
constexpr std::string_view kPseudoTerminals = "/dev/pts/";

} // namespace

fs::path portLinkPath(const fs::path& stationDir, int port)
{
    return stationDir / "ports" / ("COM" + std::to_string(port));
}

std::error_code linkPort(const fs::path& stationDir, int port, const std::string& target)
{
    const fs::path link = portLinkPath(stationDir, port);
    std::error_code ec;
    fs::create_directories(link.parent_path(), ec);
    if (ec)
        return ec;
    std::error_code notThere; // a missing link reports an error too
    const fs::file_status status = fs::symlink_status(link, notThere);
    if (fs::is_symlink(status)) {
        if (!fs::read_symlink(link, ec).string().starts_with(kPseudoTerminals))
            return ec ? ec : std::make_error_code(std::errc::file_exists);
        fs::remove(link, ec);
        if (ec)
            return ec;
    } else if (fs::exists(status)) {
        return std::make_error_code(std::errc::file_exists);
    }
    fs::create_symlink(target, link, ec);
    return ec;
}

void unlinkPort(const fs::path& stationDir, int port, const std::string& target)
{
    const fs::path link = portLinkPath(stationDir, port);
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(link, ec)) && fs::read_symlink(link, ec) == target)
        fs::remove(link, ec);
}

} // namespace bv::sim
