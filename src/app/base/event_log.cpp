#include "app/base/event_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <string>

#include "app/base/posix_file.h"
#include "app/base/string_table.h"
#include "units/date_time.h"

namespace bv::app {

namespace {

// Everything kMaxOlderPieces pieces can span: each is at most kPieceChars
// characters and a "\r\n".
constexpr std::size_t kOldLogReadLimit = EventLog::kMaxOlderPieces * (EventLog::kPieceChars + 2);

// Reads up to limit bytes of the old log into text. A missing file reads as
// empty; false when the file exists but cannot be read to its end or the limit.
bool readOldLog(const std::filesystem::path& path, std::size_t limit, std::string& text)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid())
        return errno == ENOENT;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return false;
    text.resize(std::min(static_cast<std::size_t>(info.st_size), limit));
    std::error_code error;
    const std::size_t got = readAll(file.get(), text.data(), text.size(), error);
    if (error)
        return false;
    text.resize(got);
    return true;
}

// Writes content to tempPath, flushes it to the disk, and only then renames it
// over finalPath (atomic), so a full disk or a crash leaves either the old or
// the new file, never a cut one. After a crash right after the rename the old
// log may come back; that loses one event, never the log.
bool replaceFile(const std::filesystem::path& tempPath, const std::filesystem::path& finalPath,
                 std::string_view content)
{
    constexpr mode_t kLogMode = 0644;
    FileDescriptor temp(
        ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kLogMode));
    if (!temp.valid())
        return false;
    const std::error_code writeError = writeAll(temp.get(), content.data(), content.size());
    const bool flushed = !writeError && ::fsync(temp.get()) == 0;
    const bool closed = !temp.close();
    if (!flushed || !closed || ::rename(tempPath.c_str(), finalPath.c_str()) != 0) {
        ::unlink(tempPath.c_str());
        return false;
    }
    return true;
}

} // namespace

void copyLogPieces(std::string_view oldLog, std::size_t maxPieces, std::string& out)
{
    constexpr std::size_t kPiece = EventLog::kPieceChars;
    std::size_t pieces = 0;
    while (!oldLog.empty() && pieces < maxPieces) {
        const std::size_t newline = oldLog.find('\n');
        const bool ended = newline != std::string_view::npos;
        std::string_view line = oldLog.substr(0, ended ? newline : oldLog.size());
        oldLog.remove_prefix(ended ? newline + 1 : oldLog.size());
        if (ended && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        // Full pieces, then the rest with its line end as one more piece.
        const std::size_t rest = line.size() % kPiece;
        const std::size_t needed = line.size() / kPiece + ((ended || rest > 0) ? 1 : 0);
        if (pieces + needed > maxPieces) {
            out.append(line.substr(0, (maxPieces - pieces) * kPiece));
            return;
        }
        out.append(line);
        if (ended)
            out.push_back('\n');
        pieces += needed;
    }
}

EventLog::EventLog(std::filesystem::path stationDir, const platform::Clock& clock,
                   const units::RegionalSettings& regional)
    : logPath_(stationDir / kEventLogFileName), tempPath_(stationDir / kEventTempFileName),
      clock_(clock), regional_(regional)
{
}

std::string EventLog::formatLine(std::string_view text) const
{
    units::DateTime now;
    now.now(clock_);
    std::string line = " ";
    line += now.shortDate(regional_);
    line += ' ';
    line += now.timeText(regional_);
    line += ' ';
    // Texts from outside (server replies, error texts) may hold line breaks;
    // each event stays one stamped line, so they become blanks.
    std::ranges::replace_copy_if(
        text, std::back_inserter(line), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    line += '\n';
    return line;
}

int EventLog::logEvent(std::string_view text)
{
    if (!readOldLog(logPath_, kOldLogReadLimit, oldLog_))
        return -1;
    content_.clear(); // keeps the capacity, unlike assigning a new string
    content_.append(formatLine(text));
    copyLogPieces(oldLog_, kMaxOlderPieces, content_);
    if (!replaceFile(tempPath_, logPath_, content_))
        return -1;
    if (listener_)
        listener_();
    return 0;
}

int EventLog::logEventId(int stringId)
{
    return logEvent(loadText(stringId, kEventTextLimit));
}

} // namespace bv::app
