#include "app/shell/help_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/base/posix_file.h"

namespace bv::app {

std::error_code installHelpFile(const std::filesystem::path& stationDir, std::string_view contents)
{
    constexpr mode_t kHelpFileMode = 0644;
    const std::filesystem::path target = stationDir / kHelpFileName;
    // O_EXCL refuses any existing name, a dangling symbolic link included.
    FileDescriptor file(
        ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kHelpFileMode));
    if (!file.valid()) {
        return errno == EEXIST ? std::error_code{} : lastSystemError();
    }
    std::error_code error = writeAll(file.get(), contents.data(), contents.size());
    if (const std::error_code closeError = file.close(); !error)
        error = closeError;
    if (error) {
        // The file is the one just created here: a cut help file would stay
        // for good, so it goes.
        ::unlink(target.c_str());
    }
    return error;
}

} // namespace bv::app
