#include "publish/marker_scanner.h"

namespace bv::publish {

namespace {
constexpr std::string_view kOpen = "<!--";
constexpr std::string_view kClose = "-->";
} // namespace

std::optional<MarkerSpan> findMarker(std::string_view line, std::size_t from)
{
    std::size_t start = line.find(kOpen, from);
    while (start != std::string_view::npos) {
        const std::size_t nameStart = start + kOpen.size();
        const std::size_t close = line.find(kClose, nameStart);
        if (close == std::string_view::npos)
            return std::nullopt;
        if (close != nameStart)
            return MarkerSpan{start, close + kClose.size() - start};
        // An empty comment: look again after it.
        start = line.find(kOpen, close + kClose.size());
    }
    return std::nullopt;
}

void expandLine(std::string_view line, const MarkerExpander& expand, std::string& out)
{
    std::size_t copied = 0;
    for (auto marker = findMarker(line, 0); marker; marker = findMarker(line, copied)) {
        out.append(line.substr(copied, marker->start - copied));
        const std::string_view text = line.substr(marker->start, marker->length);
        if (const std::optional<std::string> replacement = expand(text))
            out.append(*replacement);
        else
            out.append(text);
        copied = marker->start + marker->length;
    }
    out.append(line.substr(copied));
}

} // namespace bv::publish
