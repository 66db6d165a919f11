#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "units/date_time.h"
#include "units/regional_settings.h"

namespace bv::station {

enum class ArchiveFileMode {
    Replace, // the file is made anew with the header and every record
    Append,  // only records later than the file's last line are added
};

// A record's line of the text file and the time stamp it carries.
struct ArchiveLine {
    units::DateTime stamp;
    std::string text;
};

struct ArchiveFileResult {
    std::error_code error; // set when the file could not be written whole
    int linesWritten = 0;
};

// Writes the records, oldest first, to the text file. Replace writes a new
// file beside the old one and renames it over it only once it is on disk.
// Append adds the header to an empty file and a line feed to a last line
// without one, then the records later than the last dated line (1 January
// 1900 when there is none); when a write fails the file is cut back to
// its former length. The folder is not created: a missing one is an error.
ArchiveFileResult writeArchiveFile(const std::filesystem::path& path, ArchiveFileMode mode,
                                   const std::string& header, const std::vector<ArchiveLine>& lines,
                                   const units::RegionalSettings& regional);

} // namespace bv::station
