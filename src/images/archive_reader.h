#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "units/date_time.h"
#include "units/regional_settings.h"

namespace bv::images {

// The folder of the station directory that holds the archive text file.
inline constexpr std::string_view kDownloadFolder = "Download";

// One record of the archive text file as a graph reads it: its time stamp and
// the text of the fields the graph plots, in the order asked for.
struct ArchiveRecord {
    units::DateTime stamp;
    std::vector<std::string> fields;
};

// Reads the tab-separated archive text file (field 1 the date, field 2 the
// time, then the values). Lines shorter than 2 characters or holding "Date" or
// "Temp" are headers. A record is kept only when every field asked for is
// present and not "----" and its date and time parse in the regional formats;
// lines are cut at 249 characters and fields at 29. Nothing when the file
// cannot be opened.
std::optional<std::vector<ArchiveRecord>>
readArchiveRecords(const std::filesystem::path& path, std::span<const int> fieldNumbers,
                   const units::RegionalSettings& regional);

// A number the whole field holds (blanks around it allowed), or nothing.
std::optional<float> parseArchiveNumber(const std::string& field);

// Minutes from `from` to `to`.
int minutesBetween(const units::DateTime& from, const units::DateTime& to);

// `time` moved on by minutes, across days, months and years.
units::DateTime addMinutes(units::DateTime time, int minutes);

} // namespace bv::images
