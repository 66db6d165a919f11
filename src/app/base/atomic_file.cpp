#include "app/base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <functional>
#include <string>

#include "app/base/posix_file.h"

namespace bv::app {
namespace {

constexpr std::string_view kTemporarySuffix = ".XXXXXX";
constexpr std::size_t kCopyChunk = 64 * 1024;

// Makes the rename itself durable. File systems that cannot sync a directory
// still hold the renamed file; that is not worth failing for.
void syncDirectory(const std::filesystem::path& dir)
{
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Makes a temporary file beside target, lets fill write it, syncs it and
// renames it over target.
std::error_code replaceAtomically(const std::filesystem::path& target, mode_t mode,
                                  const std::function<std::error_code(int fd)>& fill)
{
    std::string temporaryName = target.string() + std::string(kTemporarySuffix);
    FileDescriptor file(::mkostemp(temporaryName.data(), O_CLOEXEC));
    if (!file.valid())
        return lastSystemError();
    std::error_code error;
    if (::fchmod(file.get(), mode) != 0)
        error = lastSystemError();
    if (!error)
        error = fill(file.get());
    if (!error && ::fsync(file.get()) != 0)
        error = lastSystemError();
    if (const auto closeError = file.close(); !error)
        error = closeError;
    if (!error && ::rename(temporaryName.c_str(), target.c_str()) != 0)
        error = lastSystemError();
    if (error) {
        ::unlink(temporaryName.c_str());
        return error;
    }
    syncDirectory(target.parent_path());
    return {};
}

} // namespace

std::error_code writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                    mode_t mode)
{
    return replaceAtomically(target, mode,
                             [bytes](int fd) { return writeAll(fd, bytes.data(), bytes.size()); });
}

std::error_code copyFileAtomically(const std::filesystem::path& from,
                                   const std::filesystem::path& to)
{
    struct stat source {};
    if (::lstat(from.c_str(), &source) != 0)
        return lastSystemError();
    if (!S_ISREG(source.st_mode))
        return std::make_error_code(std::errc::invalid_argument);
    struct stat target {};
    if (::stat(to.c_str(), &target) == 0 && target.st_dev == source.st_dev &&
        target.st_ino == source.st_ino)
        return {};
    const FileDescriptor input(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!input.valid())
        return lastSystemError();
    return replaceAtomically(to, source.st_mode & 07777, [&input](int fd) {
        std::array<char, kCopyChunk> buffer{};
        for (;;) {
            std::error_code error;
            const std::size_t n = readAll(input.get(), buffer.data(), buffer.size(), error);
            if (error)
                return error;
            if (n == 0)
                return std::error_code{};
            if (const auto written = writeAll(fd, buffer.data(), n))
                return written;
        }
    });
}

} // namespace bv::app
