#include "paging/send_queue.h"

#include "app/base/strings_paging.h"
#include "app/base/text_pattern.h"

namespace bv::paging {

SendQueueWriter::SendQueueWriter(const std::filesystem::path& file)
    : out_(file, std::ios::binary | std::ios::trunc)
{
}

void SendQueueWriter::add(std::string_view entryLine, std::string_view pageLine)
{
    out_ << entryLine << '\n' << pageLine;
    ++pairs_;
}

bool SendQueueWriter::close()
{
    if (!out_.is_open())
        return false;
    out_.close();
    return !out_.fail();
}

SendQueueReader::SendQueueReader(const std::filesystem::path& file, LogFn log)
    : in_(file, std::ios::binary), log_(std::move(log))
{
}

std::optional<QueuedPage> SendQueueReader::next()
{
    QueuedPage page;
    while (std::getline(in_, page.entryLine) && std::getline(in_, page.pageLine)) {
        lineNumber_ += 2;
        if (!page.entryLine.empty() && page.entryLine.back() == '\r')
            page.entryLine.pop_back();
        if (std::optional<PagerEntry> entry = parsePagerLine(page.entryLine)) {
            page.entry = std::move(*entry);
            return page;
        }
        if (log_)
            log_(app::fillPattern(app::strings::kQueueLineSkipped,
                                  {std::to_string(lineNumber_ - 1)}));
    }
    return std::nullopt;
}

} // namespace bv::paging
