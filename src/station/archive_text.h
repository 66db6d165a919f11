#pragma once

#include <string>
#include <string_view>

#include "platform/clock.h"
#include "station/archive_record.h"
#include "station/station_models.h"
#include "units/date_time.h"
#include "units/regional_settings.h"

// The archive text file: a two-line header, then one line per record with
// the date and time in the user's formats and the values, tab-separated.
namespace bv::station {

// Both header lines of the family's file.
std::string archiveHeader(StationFamily family);

// One record's line, "\n" included; missing values are "----".
std::string archiveLine(const TirrelArchiveRecord& record, const units::DateTime& stamp,
                        const units::RegionalSettings& regional);
std::string archiveLine(const ClassicArchiveRecord& record, const units::DateTime& stamp,
                        const units::RegionalSettings& regional);

// The record's full time stamp. Records carry no year: a record is from this
// year, or from last year when its month is later than the current month.
units::DateTime recordTime(const ArchiveStamp& stamp, const platform::WallTime& now);

// The time stamp before every record: 1 January 1900.
units::DateTime beforeAnyRecord();

// The time stamp of the last line ended by "\n" whose first two fields parse
// as a date and a time; nothing when no line does (headers, blank lines and
// lines of "----" do not).
std::optional<units::DateTime> lastLineTime(std::string_view text,
                                            const units::RegionalSettings& regional);

} // namespace bv::station
