#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace bv::publish {

// How one queued file is delivered.
enum class DeliveryKind : char {
    Ftp = 'F',   // destination: the name on the server, below the remote directory
    Local = 'L', // destination: the full target path on the local drive
};

struct QueueEntry {
    DeliveryKind kind = DeliveryKind::Ftp;
    std::string source;      // full path of the local file
    std::string destination; // as the kind says

    friend bool operator==(const QueueEntry&, const QueueEntry&) = default;
};

// "sendfiles.dat", the send queue of one transfer cycle: pairs of lines, the
// kind letter, a tab and the source path, then the destination. The queue is
// emptied when it is opened, appended to while the cycle converts and makes
// images, then rewound and read back by the delivery step.
class SendQueue {
  public:
    // Opens path for reading and writing, created or emptied.
    explicit SendQueue(const std::filesystem::path& path);

    bool isOpen() const { return file_.is_open(); }
    // Appends one pair and flushes it; false when it did not reach the file.
    bool append(const QueueEntry& entry);
    // Back to the first pair, for reading.
    void rewind();
    // The next pair, skipping pairs whose kind is neither F nor L; nothing at
    // the end of the queue.
    std::optional<QueueEntry> next();

  private:
    std::fstream file_;
};

} // namespace bv::publish
