#include "images/archive_reader.h"

#include <charconv>
#include <fstream>

namespace bv::images {
namespace {

constexpr std::size_t kLineChars = 249; // read into a 250-character buffer
constexpr std::size_t kFieldChars = 29;
constexpr std::size_t kShortestRecord = 2;
constexpr int kDateField = 1;
constexpr int kTimeField = 2;
constexpr int kMinutesPerDay = 1440;
constexpr std::string_view kMissingField = "----";

bool isHeader(std::string_view line)
{
    return line.size() < kShortestRecord || line.find("Date") != std::string_view::npos ||
           line.find("Temp") != std::string_view::npos;
}

// Field `number` (1-based) of a tab-separated line, or nothing when the line
// has fewer fields.
std::optional<std::string_view> field(std::string_view line, int number)
{
    std::size_t start = 0;
    for (int i = 1; i < number; ++i) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos)
            return std::nullopt;
        start = tab + 1;
    }
    const std::size_t end = line.find('\t', start);
    std::string_view text = line.substr(start, end == std::string_view::npos ? end : end - start);
    return text.substr(0, kFieldChars);
}

std::optional<std::string_view> usableField(std::string_view line, int number)
{
    const std::optional<std::string_view> text = field(line, number);
    if (!text || text->empty() || *text == kMissingField)
        return std::nullopt;
    return text;
}

std::optional<ArchiveRecord> readRecord(std::string_view line, std::span<const int> fieldNumbers,
                                        const units::RegionalSettings& regional)
{
    const std::optional<std::string_view> date = usableField(line, kDateField);
    const std::optional<std::string_view> time = usableField(line, kTimeField);
    if (!date || !time)
        return std::nullopt;
    ArchiveRecord record;
    for (std::size_t i = 0; i < fieldNumbers.size() && i < kMaxGraphFields; ++i) {
        const std::optional<std::string_view> text = usableField(line, fieldNumbers[i]);
        if (!text)
            return std::nullopt;
        record.fields[i] = *text;
    }
    if (record.stamp.parseDate(*date, regional) != 0 ||
        record.stamp.parseTime(*time, regional) != 0)
        return std::nullopt;
    return record;
}

} // namespace

std::optional<ArchiveFile> ArchiveFile::read(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return std::nullopt;
    ArchiveFile archive;
    archive.text_.resize(static_cast<std::size_t>(file.tellg()));
    file.seekg(0);
    if (!file.read(archive.text_.data(), static_cast<std::streamsize>(archive.text_.size())))
        return std::nullopt;
    return archive;
}

std::vector<ArchiveRecord> ArchiveFile::records(std::span<const int> fieldNumbers,
                                                const units::RegionalSettings& regional) const
{
    constexpr std::size_t kLikelyLineChars = 60;
    std::vector<ArchiveRecord> records;
    records.reserve(text_.size() / kLikelyLineChars);
    std::string_view rest = text_;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = line.substr(0, kLineChars);
        if (isHeader(line))
            continue;
        if (std::optional<ArchiveRecord> record = readRecord(line, fieldNumbers, regional))
            records.push_back(*record);
    }
    return records;
}

std::optional<float> parseArchiveNumber(std::string_view field)
{
    const std::size_t first = field.find_first_not_of(' ');
    const std::size_t last = field.find_last_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    const char* begin = field.data() + first;
    const char* end = field.data() + last + 1;
    float value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

int minutesBetween(const units::DateTime& from, const units::DateTime& to)
{
    return to.daysBetween(from) * kMinutesPerDay + to.minutesOfDay - from.minutesOfDay;
}

units::DateTime addMinutes(units::DateTime time, int minutes)
{
    const int total = time.minutesOfDay + minutes;
    int days = total / kMinutesPerDay;
    int rest = total % kMinutesPerDay;
    if (rest < 0) {
        rest += kMinutesPerDay;
        --days;
    }
    time.minutesOfDay = rest;
    time.splitMinutes();
    time.addDays(days);
    return time;
}

} // namespace bv::images
