#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "station/archive_file.h"
#include "station/archive_record.h"
#include "station/archive_transfer.h"
#include "station/station_models.h"
#include "units/regional_settings.h"

namespace bv::station {

class StationLink;

// What the preparation of a download found.
struct DownloadPreparation {
    enum class Result {
        Ready,    // plan and decoding hold what the transfer and the file need
        NoAnswer, // the station did not answer, or answered noise
        Empty,    // the archive holds no record
    };
    Result result = Result::NoAnswer;
    DumpPlan plan;
    ArchiveDecoding decoding;
};

// Checks that the station answers, reads the calibration offsets (and on a
// Tirrel whether a leaf-wetness sensor is fitted), drains the line and reads
// the wrap flag and the new-record pointer. units: the user's units and the
// rain collector, as the engine converts readings.
DownloadPreparation prepareDownload(StationLink& link, const ConditionsUnits& units);

// The lines of the records in dumped memory, oldest first from the plan's
// first record, wrapping at the end of the ring. now gives the records their
// year. A record whose stamp is no real date and time is left out.
std::vector<ArchiveLine> archiveLines(std::span<const std::uint8_t> memory, const DumpPlan& plan,
                                      const StationModel& model, const ArchiveDecoding& decoding,
                                      const platform::WallTime& now,
                                      const units::RegionalSettings& regional);

} // namespace bv::station
