#include "publish/send_queue.h"

#include "publish/text_lines.h"

namespace bv::publish {

namespace {
constexpr char kKindSeparator = '\t';
} // namespace

SendQueue::SendQueue(const std::filesystem::path& path)
    : file_(path, std::ios::in | std::ios::out | std::ios::trunc)
{
}

bool SendQueue::append(const QueueEntry& entry)
{
    if (!file_.is_open())
        return false;
    file_.clear();
    file_.seekp(0, std::ios::end);
    file_ << static_cast<char>(entry.kind) << kKindSeparator << entry.source << '\n'
          << entry.destination << '\n';
    file_.flush();
    return file_.good();
}

void SendQueue::rewind()
{
    file_.clear();
    file_.seekg(0);
}

std::optional<QueueEntry> SendQueue::next()
{
    TextLine first;
    TextLine second;
    while (readLine(file_, first) && readLine(file_, second)) {
        const std::string& line = first.text;
        // The kind is the first character; the source starts at the third.
        const bool known = line.size() >= 2 && (line[0] == static_cast<char>(DeliveryKind::Ftp) ||
                                                line[0] == static_cast<char>(DeliveryKind::Local));
        if (known)
            return QueueEntry{static_cast<DeliveryKind>(line[0]), line.substr(2), second.text};
    }
    return std::nullopt;
}

} // namespace bv::publish
