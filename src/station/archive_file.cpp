#include "station/archive_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/base/atomic_file.h"
#include "app/base/posix_file.h"
#include "station/archive_text.h"

namespace bv::station {

namespace {

constexpr mode_t kFileMode = 0644;
constexpr off_t kTailChunk = 8192;
constexpr char kLineFeed = '\n';

std::error_code readAt(int fd, off_t offset, std::string& into, std::size_t size)
{
    into.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n =
            ::pread(fd, into.data() + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? app::lastSystemError() : std::make_error_code(std::errc::io_error);
        done += static_cast<std::size_t>(n);
    }
    return {};
}

// Looks for the last dated line from the end of the file backwards, a chunk
// at a time, so a file of years of records is not read whole.
std::error_code lastRecordTime(int fd, off_t size, const units::RegionalSettings& regional,
                               units::DateTime& last)
{
    last = beforeAnyRecord();
    std::string tail;
    for (off_t start = size; start > 0;) {
        start = start > kTailChunk ? start - kTailChunk : 0;
        std::string chunk;
        if (const std::error_code error =
                readAt(fd, start, chunk, static_cast<std::size_t>(size - start) - tail.size()))
            return error;
        tail.insert(0, chunk);
        // A line cut by the chunk's start is looked at once the chunk before is in.
        const std::size_t firstBreak = start == 0 ? 0 : tail.find(kLineFeed);
        if (firstBreak == std::string::npos)
            continue;
        const std::string_view whole =
            std::string_view(tail).substr(start == 0 ? 0 : firstBreak + 1);
        if (const auto stamp = lastLineTime(whole, regional)) {
            last = *stamp;
            return {};
        }
    }
    return {};
}

std::string recordsAfter(const units::DateTime& last, const std::vector<ArchiveLine>& lines,
                         int& count)
{
    std::string text;
    for (const ArchiveLine& line : lines) {
        if (!line.stamp.isAfter(last))
            continue;
        text += line.text;
        ++count;
    }
    return text;
}

ArchiveFileResult replaceFile(const std::filesystem::path& path, const std::string& header,
                              const std::vector<ArchiveLine>& lines)
{
    ArchiveFileResult result;
    const std::string text = header + recordsAfter(beforeAnyRecord(), lines, result.linesWritten);
    result.error = app::writeFileAtomically(path, text, kFileMode);
    if (result.error)
        result.linesWritten = 0;
    return result;
}

ArchiveFileResult appendToFile(const std::filesystem::path& path, const std::string& header,
                               const std::vector<ArchiveLine>& lines,
                               const units::RegionalSettings& regional)
{
    ArchiveFileResult result;
    app::FileDescriptor file(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kFileMode));
    if (!file.valid())
        return {app::lastSystemError(), 0};
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return {app::lastSystemError(), 0};
    const off_t size = info.st_size;

    std::string text;
    units::DateTime last = beforeAnyRecord();
    if (size == 0) {
        text = header;
    } else {
        std::string lastByte;
        if (const std::error_code error = readAt(file.get(), size - 1, lastByte, 1))
            return {error, 0};
        if (lastByte[0] != kLineFeed)
            text += kLineFeed;
        if (const std::error_code error = lastRecordTime(file.get(), size, regional, last))
            return {error, 0};
    }
    text += recordsAfter(last, lines, result.linesWritten);

    if (::lseek(file.get(), size, SEEK_SET) < 0)
        result.error = app::lastSystemError();
    if (!result.error)
        result.error = app::writeAll(file.get(), text.data(), text.size());
    if (!result.error && ::fsync(file.get()) != 0)
        result.error = app::lastSystemError();
    if (result.error) {
        // Leave no half line behind for the next append to stumble on.
        static_cast<void>(::ftruncate(file.get(), size));
        result.linesWritten = 0;
        return result;
    }
    result.error = file.close();
    if (result.error)
        result.linesWritten = 0;
    return result;
}

} // namespace

ArchiveFileResult writeArchiveFile(const std::filesystem::path& path, ArchiveFileMode mode,
                                   const std::string& header, const std::vector<ArchiveLine>& lines,
                                   const units::RegionalSettings& regional)
{
    if (mode == ArchiveFileMode::Replace)
        return replaceFile(path, header, lines);
    return appendToFile(path, header, lines, regional);
}

} // namespace bv::station
