#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <system_error>

namespace bv::app {

inline std::error_code lastSystemError()
{
    return {errno, std::system_category()};
}

// Owns a POSIX file descriptor and closes it when the scope ends.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports the result: a failed close may mean lost data.
    std::error_code close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? std::error_code{} : lastSystemError();
    }

  private:
    int fd_;
};

// Writes all size bytes, going on after short writes and signals.
inline std::error_code writeAll(int fd, const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return lastSystemError();
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return {};
}

// Reads until size bytes are in, the file ends or a read fails (error set).
// Returns the number of bytes read.
inline std::size_t readAll(int fd, void* data, std::size_t size, std::error_code& error)
{
    auto* bytes = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = lastSystemError();
            break;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

} // namespace bv::app
