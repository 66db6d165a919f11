#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "units/regional_settings.h"

namespace bv::app {

inline constexpr std::string_view kEventLogFileName = "event.log";
inline constexpr std::string_view kEventTempFileName = "event.tmp";

// The event log: "event.log" in the station directory, one line per event,
// newest first, each line " <short date> <time> <text>". Every event rewrites
// the file through "event.tmp", keeping the new line and at most 10000 pieces
// of the old file (see copyLogPieces), so the log holds at most 10001 lines.
//
// Lines end in "\n"; a log written elsewhere with "\r\n" reads the same.
class EventLog {
  public:
    // Older content kept by one event, in pieces read as below.
    static constexpr std::size_t kMaxOlderPieces = 10000;
    // Old lines are read back at most this many characters at a time; a longer
    // line is carried whole but counts as several pieces.
    static constexpr std::size_t kPieceChars = 148;

    EventLog(std::filesystem::path stationDir, const platform::Clock& clock,
             const units::RegionalSettings& regional);

    // Puts one line for text at the top of the log and tells the listener.
    // Line breaks inside text are written as blanks.
    // Returns 0, or -1 when the log could not be read or the new file could not
    // be written in full; the old log then stays exactly as it was.
    int logEvent(std::string_view text);
    // Logs string-table text stringId, cut at 199 characters.
    int logEventId(int stringId);

    // Called after every event that reached the file, so that a viewer
    // showing the log reloads it.
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

    const std::filesystem::path& path() const { return logPath_; }

  private:
    std::string formatLine(std::string_view text) const;

    std::filesystem::path logPath_;
    std::filesystem::path tempPath_;
    const platform::Clock& clock_;
    const units::RegionalSettings& regional_;
    std::function<void()> listener_;
    // Kept from event to event so that rewriting a full log of about a
    // megabyte does not allocate and fault in fresh memory every time.
    std::string oldLog_;
    std::string content_;
};

// Appends to out the start of an old log, normalising "\r\n" to "\n": piece by
// piece, a piece being the rest of a line up to and including its "\n" or
// kPieceChars characters, whichever ends first; stops after maxPieces pieces
// or at the end of oldLog.
void copyLogPieces(std::string_view oldLog, std::size_t maxPieces, std::string& out);

} // namespace bv::app
