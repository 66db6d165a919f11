#include "paging/pager_entry.h"

#include <charconv>
#include <fstream>

#include "app/base/atomic_file.h"
#include "app/base/strings_paging.h"
#include "app/base/text_pattern.h"

namespace bv::paging {
namespace {

constexpr char kTab = '\t';
constexpr std::string_view kNameSeparator = "\t\t\t\t\t";
// What ends a field when the line is read back: the blanks of scanf's "%s".
constexpr std::string_view kFieldEnds = " \t\r\n\v\f";
constexpr std::size_t kAdvancedBytes = 4;
constexpr int kLastKind = static_cast<int>(EntryKind::PcSpeaker);
// Delays and beeps beyond this are no settings anyone makes; a line holding
// more is taken for garbage.
constexpr int kLargestNumber = 9999;

// The fields of a line as scanf's "%s" and "%d" would take them, each within
// its bound.
class FieldReader {
  public:
    explicit FieldReader(std::string_view line) : rest_(line) {}

    std::optional<std::string_view> text(std::size_t maxChars)
    {
        skipBlanks();
        const std::size_t end = std::min(rest_.find_first_of(kFieldEnds), rest_.size());
        if (end == 0 || end > maxChars)
            return std::nullopt;
        const std::string_view field = rest_.substr(0, end);
        rest_.remove_prefix(end);
        return field;
    }

    std::optional<int> number(int minimum, int maximum)
    {
        const std::optional<std::string_view> field = text(kMaxPagerLineChars);
        if (!field)
            return std::nullopt;
        int value = 0;
        const auto [end, error] =
            std::from_chars(field->data(), field->data() + field->size(), value);
        if (error != std::errc() || end != field->data() + field->size() || value < minimum ||
            value > maximum)
            return std::nullopt;
        return value;
    }

    bool atEnd()
    {
        skipBlanks();
        return rest_.empty();
    }

  private:
    void skipBlanks()
    {
        const std::size_t start = rest_.find_first_not_of(kFieldEnds);
        rest_.remove_prefix(start == std::string_view::npos ? rest_.size() : start);
    }

    std::string_view rest_;
};

std::string withoutCarriageReturn(std::string line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

} // namespace

std::string formatPagerLine(const PagerEntry& entry)
{
    std::string line = entry.name;
    line += kNameSeparator;
    for (const int n : {static_cast<int>(entry.kind), entry.connectDelaySec, entry.beeps}) {
        line += std::to_string(n);
        line += kTab;
    }
    for (const std::string* text : {&entry.number, &entry.access}) {
        line += *text;
        line += kTab;
    }
    for (const std::uint8_t code : {entry.advanced.protocol, entry.advanced.baudRate,
                                    entry.advanced.timeInterval, entry.advanced.quietAnswer})
        line += static_cast<char>(code);
    line += kTab;
    line += std::to_string(entry.accessDelaySec);
    line += kTab;
    return line;
}

std::optional<PagerEntry> parsePagerLine(std::string_view line)
{
    if (line.size() > kMaxPagerLineChars)
        return std::nullopt;
    FieldReader fields(line);
    const auto name = fields.text(PagerEntry::kMaxTextChars);
    const auto kind = fields.number(0, kLastKind);
    const auto connectDelay = fields.number(0, kLargestNumber);
    const auto beeps = fields.number(0, kLargestNumber);
    const auto number = fields.text(PagerEntry::kMaxTextChars);
    const auto access = fields.text(PagerEntry::kMaxTextChars);
    const auto advanced = fields.text(kAdvancedBytes);
    const auto accessDelay = fields.number(0, kLargestNumber);
    if (!name || !kind || !connectDelay || !beeps || !number || !access || !advanced ||
        advanced->size() != kAdvancedBytes || !accessDelay || !fields.atEnd())
        return std::nullopt;

    PagerEntry entry;
    entry.name = *name;
    entry.kind = static_cast<EntryKind>(*kind);
    entry.connectDelaySec = *connectDelay;
    entry.beeps = *beeps;
    entry.number = *number;
    entry.access = *access;
    entry.advanced = {
        static_cast<std::uint8_t>((*advanced)[0]), static_cast<std::uint8_t>((*advanced)[1]),
        static_cast<std::uint8_t>((*advanced)[2]), static_cast<std::uint8_t>((*advanced)[3])};
    entry.accessDelaySec = *accessDelay;
    return entry;
}

std::string_view kindName(EntryKind kind)
{
    static constexpr std::string_view kNames[] = {"Numeric Pager", "AlphaNumeric Pager",
                                                  "Telephone", "PC Speaker"};
    return kNames[static_cast<std::size_t>(kind)];
}

std::string_view entryNameOf(std::string_view line)
{
    return line.substr(0, line.find(kTab));
}

std::optional<std::vector<PagerLine>> readPagerFile(const std::filesystem::path& file,
                                                    const LogFn& log)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<PagerLine> lines;
    std::string raw;
    for (int lineNumber = 1; std::getline(in, raw); ++lineNumber) {
        std::string text = withoutCarriageReturn(std::move(raw));
        if (std::optional<PagerEntry> entry = parsePagerLine(text))
            lines.push_back({std::move(text), std::move(*entry)});
        else if (log)
            log(app::fillPattern(app::strings::kPagerLineSkipped, {std::to_string(lineNumber)}));
    }
    return lines;
}

bool writePagerFile(const std::filesystem::path& file, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return !app::writeFileAtomically(file, text, kSettingsFileMode);
}

} // namespace bv::paging
