#include "images/archive_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
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

// The highest field number a record holds: the last value of the Tirrel
// models' lines.
constexpr int kMaxFieldNumber = 22;

// The fields of a tab-separated line, each cut at 29 characters; fields[n - 1]
// is field n. Split once, since a graph reads fields far along the line.
struct SplitLine {
    std::array<std::string_view, kMaxFieldNumber> fields;
    int count = 0;

    SplitLine(std::string_view line, int lastWanted)
    {
        std::size_t start = 0;
        while (count < lastWanted) {
            const std::size_t tab = line.find('\t', start);
            const std::string_view text =
                line.substr(start, tab == std::string_view::npos ? tab : tab - start);
            fields[static_cast<std::size_t>(count++)] = text.substr(0, kFieldChars);
            if (tab == std::string_view::npos)
                break;
            start = tab + 1;
        }
    }

    // Field number (1-based) when present and not missing.
    std::optional<std::string_view> usable(int number) const
    {
        if (number < 1 || number > count)
            return std::nullopt;
        const std::string_view text = fields[static_cast<std::size_t>(number - 1)];
        if (text.empty() || text == kMissingField)
            return std::nullopt;
        return text;
    }
};

// Records of one day share their date text: the last one read and its date
// (nothing when it did not parse).
struct DateCache {
    std::string_view text;
    std::optional<units::DateTime> date;
};

std::optional<units::DateTime> parsedDate(std::string_view text, DateCache& cache,
                                          const units::RegionalSettings& regional)
{
    if (text != cache.text || cache.text.empty()) {
        units::DateTime date;
        cache.text = text;
        cache.date = date.parseDate(text, regional) == 0 ? std::optional(date) : std::nullopt;
    }
    return cache.date;
}

std::optional<ArchiveRecord> readRecord(std::string_view line, std::span<const int> fieldNumbers,
                                        const units::RegionalSettings& regional, DateCache& cache)
{
    int lastWanted = kTimeField;
    for (const int number : fieldNumbers)
        lastWanted = std::max(lastWanted, std::min(number, kMaxFieldNumber));
    const SplitLine split(line, lastWanted);
    const std::optional<std::string_view> date = split.usable(kDateField);
    const std::optional<std::string_view> time = split.usable(kTimeField);
    if (!date || !time)
        return std::nullopt;
    ArchiveRecord record;
    for (std::size_t i = 0; i < fieldNumbers.size() && i < kMaxGraphFields; ++i) {
        const std::optional<std::string_view> text = split.usable(fieldNumbers[i]);
        if (!text)
            return std::nullopt;
        record.fields[i] = *text;
    }
    const std::optional<units::DateTime> day = parsedDate(*date, cache, regional);
    if (!day)
        return std::nullopt;
    record.stamp = *day;
    if (record.stamp.parseTime(*time, regional) != 0)
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
    DateCache cache;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = line.substr(0, kLineChars);
        if (isHeader(line))
            continue;
        if (std::optional<ArchiveRecord> record = readRecord(line, fieldNumbers, regional, cache))
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
    if (error != std::errc() || stop != end || !std::isfinite(value))
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
