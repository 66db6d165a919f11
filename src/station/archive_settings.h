#pragma once

#include <optional>
#include <span>
#include <string_view>

// The station's archive settings, and the one other setting the program
// writes: the day's high wind speed. Each operation runs on a link whose port
// is open and leaves it open.
namespace bv::station {

class StationLink;

// An archive interval the station can keep, with the sample period that goes
// with it and the Archive dialog's label.
struct ArchiveInterval {
    int minutes = 0;
    int sampleSeconds = 0; // sent with "SSP" as 256 - seconds
    std::string_view label;
};

std::span<const ArchiveInterval> archiveIntervals();
// The table's row for this interval, or nothing.
std::optional<ArchiveInterval> findArchiveInterval(int minutes);

// The archive period in minutes, or -101 when the station did not answer.
int readArchivePeriod(StationLink& link);

// Moves the station's next archive time onto the grid of its period after the
// clock has changed: period x floor(minuteOfDay / period). A period of 1 needs
// nothing. A period that cannot be read or is below 1 (0 in a fresh station)
// fails with -101 and writes nothing. Runs inside the DBT/EBT bracket.
int realignArchiveSchedule(StationLink& link, int minuteOfDay);

// Empties the archive ring: "DBT", the record pointers and the wrap flag set to
// 0, an "SRD", on the classic models the schedule realigned with the station's
// clock, "EBT". The engine's acknowledgement result (0 Tirrel, 1 classic), or
// -1 when any step was not acknowledged; "EBT" goes out once "DBT" was taken.
int clearArchiveMemory(StationLink& link);

// "SSP", "SAP", then clearArchiveMemory. 1, or -101 for an interval not in the
// table (nothing sent) or any step that failed.
int setArchiveInterval(StationLink& link, int minutes);

// Sets the station's high wind speed of the day to 0 (after a wind-speed alarm
// page). 1, or -101 when not acknowledged.
int resetHighWindSpeed(StationLink& link);

} // namespace bv::station
