#include "publish/local_delivery.h"

#include <filesystem>

#include "app/base/atomic_file.h"

namespace bv::publish {

namespace fs = std::filesystem;

MakeDirectoryResult makeDirectoryPath(const std::string& path)
{
    if (path.empty() || !fs::path(path).is_absolute())
        return MakeDirectoryResult::NotAbsolute;
    std::error_code error;
    fs::create_directories(path, error);
    return fs::is_directory(path, error) ? MakeDirectoryResult::Done : MakeDirectoryResult::Failed;
}

std::string localDestination(std::string_view directory, std::string_view name)
{
    if (directory.empty() || !fs::path(directory).is_absolute())
        return {};
    std::string destination(directory);
    if (!destination.ends_with('/'))
        destination += '/';
    return destination + std::string(name);
}

bool copyReplacing(const std::string& source, const std::string& destination)
{
    if (destination.empty() || !fs::path(destination).is_absolute())
        return false;
    return !app::copyFileAtomically(source, destination);
}

} // namespace bv::publish
