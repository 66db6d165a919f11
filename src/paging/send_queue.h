#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "paging/pager_entry.h"

namespace bv::paging {

// The send queue "sendpages.dat": pairs of lines, the entry's line of
// "pager.dat" then the page line for it. An evaluation run writes it anew; the
// sender reads it from its start. Lines end in "\n"; a numeric pager's page
// line keeps its "\r" in front of it, which the modem needs.
inline constexpr std::string_view kSendQueueFileName = "sendpages.dat";

class SendQueueWriter {
  public:
    // Creates the file, replacing the old queue.
    explicit SendQueueWriter(const std::filesystem::path& file);
    bool isOpen() const { return out_.is_open(); }
    // entryLine without its newline; pageLine as composed, with its newline.
    void add(std::string_view entryLine, std::string_view pageLine);
    // False when anything could not be written.
    bool close();
    int pairs() const { return pairs_; }

  private:
    std::ofstream out_;
    int pairs_ = 0;
};

// One queued page as the sender takes it.
struct QueuedPage {
    std::string entryLine; // as in "pager.dat", without its newline
    PagerEntry entry;
    std::string pageLine; // without its "\n"; a numeric page ends in "#,,,;ATH0\r"
};

// Reads the queue pair by pair, each line whole whatever its length, so a
// long line never puts the pairs out of step. A pair whose entry line is no
// entry is skipped and logged.
class SendQueueReader {
  public:
    SendQueueReader(const std::filesystem::path& file, LogFn log);
    bool isOpen() const { return in_.is_open(); }
    // The next page, or nothing at the end of the queue.
    std::optional<QueuedPage> next();

  private:
    std::ifstream in_;
    LogFn log_;
    int lineNumber_ = 0;
};

} // namespace bv::paging
