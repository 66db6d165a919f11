#include "app/base/config_file.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "app/base/atomic_file.h"
#include "app/base/config_codec.h"
#include "app/base/posix_file.h"

namespace bv::app {
namespace {

constexpr mode_t kOwnerReadWrite = S_IRUSR | S_IWUSR;

} // namespace

std::filesystem::path configFilePath(const std::filesystem::path& stationDir)
{
    return stationDir / kConfigFileName;
}

ConfigLoad loadConfig(ConfigRecord& record, const std::filesystem::path& stationDir)
{
    const FileDescriptor file(::open(configFilePath(stationDir).c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        return errno == ENOENT ? ConfigLoad::Missing : ConfigLoad::Unreadable;
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        return ConfigLoad::Unreadable;
    }
    if (!S_ISREG(status.st_mode) || static_cast<std::size_t>(status.st_size) != kConfigFileSize) {
        return ConfigLoad::WrongSize;
    }
    ConfigImage image;
    std::error_code readError;
    if (readAll(file.get(), image.data(), image.size(), readError) != image.size()) {
        return ConfigLoad::Unreadable;
    }
    record = decodeConfig(image);
    return ConfigLoad::Loaded;
}

std::error_code saveConfig(const ConfigRecord& record, const std::filesystem::path& stationDir)
{
    const ConfigImage image = encodeConfig(record);
    return writeFileAtomically(
        configFilePath(stationDir),
        std::string_view(reinterpret_cast<const char*>(image.data()), image.size()),
        kOwnerReadWrite);
}

ConfigLoad startConfig(ConfigRecord& record, const std::filesystem::path& stationDir)
{
    loadDefaults(record);
    const ConfigLoad result = loadConfig(record, stationDir);
    auto dir = std::filesystem::absolute(stationDir).lexically_normal();
    if (!dir.has_filename() && dir != dir.root_path()) {
        dir = dir.parent_path(); // "/srv/wx/." normalises to "/srv/wx/"
    }
    record.stationDir = dir.string();
    return result;
}

} // namespace bv::app
