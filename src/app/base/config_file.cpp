#include "app/base/config_file.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "app/base/config_codec.h"

namespace bv::app {
namespace {

constexpr mode_t kOwnerReadWrite = S_IRUSR | S_IWUSR;
constexpr std::string_view kTemporarySuffix = ".XXXXXX";

std::error_code lastError()
{
    return {errno, std::system_category()};
}

// Closes the descriptor when the scope ends, unless released.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

    int get() const { return fd_; }
    // Closes now and reports the result; a failed close may mean lost data.
    std::error_code close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? std::error_code{} : lastError();
    }

  private:
    int fd_;
};

std::error_code writeAll(int fd, const ConfigImage& image)
{
    std::size_t written = 0;
    while (written < image.size()) {
        const ssize_t n = ::write(fd, image.data() + written, image.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return lastError();
        }
        written += static_cast<std::size_t>(n);
    }
    return {};
}

// Bytes read before the end of the file or an error.
std::size_t readAll(int fd, ConfigImage& image)
{
    std::size_t done = 0;
    while (done < image.size()) {
        const ssize_t n = ::read(fd, image.data() + done, image.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

// Makes the rename itself durable. File systems that cannot sync a directory
// still hold the renamed file; that is not worth failing the save for.
void syncDirectory(const std::filesystem::path& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::error_code writeTemporary(const FileDescriptor& file, const ConfigImage& image)
{
    if (::fchmod(file.get(), kOwnerReadWrite) != 0) {
        return lastError();
    }
    if (const auto error = writeAll(file.get(), image)) {
        return error;
    }
    if (::fsync(file.get()) != 0) {
        return lastError();
    }
    return {};
}

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
    if (readAll(file.get(), image) != image.size()) {
        return ConfigLoad::Unreadable;
    }
    record = decodeConfig(image);
    return ConfigLoad::Loaded;
}

std::error_code saveConfig(const ConfigRecord& record, const std::filesystem::path& stationDir)
{
    const auto target = configFilePath(stationDir);
    std::string temporaryName = target.string() + std::string(kTemporarySuffix);
    FileDescriptor file(::mkostemp(temporaryName.data(), O_CLOEXEC));
    if (file.get() < 0) {
        return lastError();
    }
    std::error_code error = writeTemporary(file, encodeConfig(record));
    if (const auto closeError = file.close(); !error) {
        error = closeError;
    }
    if (!error && ::rename(temporaryName.c_str(), target.c_str()) != 0) {
        error = lastError();
    }
    if (error) {
        ::unlink(temporaryName.c_str());
        return error;
    }
    syncDirectory(stationDir);
    return {};
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
