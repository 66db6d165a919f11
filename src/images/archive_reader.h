#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "units/date_time.h"
#include "units/regional_settings.h"

namespace bv::images {

// The folder of the station directory that holds the archive text file.
inline constexpr std::string_view kDownloadFolder = "Download";

// A graph reads at most two value fields of a record (speed and direction).
inline constexpr std::size_t kMaxGraphFields = 2;

// One record of the archive text file as a graph reads it: its time stamp and
// the text of the fields the graph plots, in the order asked for. The texts
// point into the ArchiveFile they were read from.
struct ArchiveRecord {
    units::DateTime stamp;
    std::array<std::string_view, kMaxGraphFields> fields;
};

// The tab-separated archive text file, read whole: field 1 the date, field 2
// the time, then the values.
class ArchiveFile {
  public:
    // Nothing when the file cannot be opened or read.
    static std::optional<ArchiveFile> read(const std::filesystem::path& path);

    // The usable records of the file, in file order. Lines shorter than 2
    // characters or holding "Date" or "Temp" are headers. A record is usable
    // only when every field asked for (at most kMaxGraphFields) is present and
    // not "----" and its date and time parse in the regional formats; lines are
    // cut at 249 characters and fields at 29.
    std::vector<ArchiveRecord> records(std::span<const int> fieldNumbers,
                                       const units::RegionalSettings& regional) const;

  private:
    std::string text_;
};

// A finite number the whole field holds (blanks around it allowed), or nothing.
std::optional<float> parseArchiveNumber(std::string_view field);

// Minutes from `from` to `to`.
int minutesBetween(const units::DateTime& from, const units::DateTime& to);

// `time` moved on by minutes, across days, months and years.
units::DateTime addMinutes(units::DateTime time, int minutes);

} // namespace bv::images
