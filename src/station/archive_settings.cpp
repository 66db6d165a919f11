#include "station/archive_settings.h"

#include <array>
#include <cstdint>

#include "station/protocol_bytes.h"
#include "station/result_codes.h"
#include "station/station_link.h"
#include "station/station_memory.h"

namespace bv::station {

namespace {

constexpr std::array<ArchiveInterval, 7> kIntervals{{
    {1, 3, "1 min"},
    {5, 3, "5 min"},
    {10, 5, "10 min"},
    {15, 8, "15 min"},
    {30, 15, "30 min"},
    {60, 30, "1 hr"},
    {120, 60, "2 hr"},
}};

constexpr int kSamplePeriodBase = 256; // "SSP" takes the period as 256 - seconds
constexpr int kPointerNibbles = 8;     // both record pointers in one "RWR"
constexpr int kScheduleNibbles = 4;    // the next aligned archive minute
constexpr int kMinutesPerHour = 60;

bool done(int result)
{
    return result >= 0;
}

// The hour and minute of the station's clock as minutes after midnight, or -1.
int readClockMinute(StationLink& link)
{
    const MemoryLocation& at = link.model().memory.clockTime;
    if (link.readStation(at) < 0 || link.reply().size() < 2)
        return -1;
    const int hour = fromBcd(link.reply()[0]);
    const int minute = fromBcd(link.reply()[1]);
    if (hour < 0 || minute < 0)
        return -1;
    return hour * kMinutesPerHour + minute;
}

} // namespace

std::span<const ArchiveInterval> archiveIntervals()
{
    return kIntervals;
}

std::optional<ArchiveInterval> findArchiveInterval(int minutes)
{
    for (const ArchiveInterval& interval : kIntervals)
        if (interval.minutes == minutes)
            return interval;
    return std::nullopt;
}

int readArchivePeriod(StationLink& link)
{
    std::uint32_t period = 0;
    if (link.readLogger(link.model().archive.archivePeriod, period) < 0)
        return kNoAnswer;
    return static_cast<int>(period);
}

int realignArchiveSchedule(StationLink& link, int minuteOfDay)
{
    if (minuteOfDay < 0)
        return kNoAnswer;
    const int period = readArchivePeriod(link);
    if (period == 1)
        return kDone;
    if (period < 1)
        return kNoAnswer;
    const MemoryLocation at{1, link.model().memory.scheduleAlignAddress, kScheduleNibbles};
    const auto aligned = static_cast<std::uint32_t>(minuteOfDay / period * period);
    return done(link.writeLogger(at, aligned)) ? kDone : kNoAnswer;
}

int clearArchiveMemory(StationLink& link)
{
    const StationModel& model = link.model();
    const int result = link.runTimedWrite([&link, &model] {
        const MemoryLocation pointers{1, model.memory.clearArchiveAddress, kPointerNibbles};
        bool ok = done(link.writeLogger(pointers, 0));
        ok = ok && done(link.sendStatusRead());
        ok = ok && done(link.writeLogger(model.archive.wrapFlag, 0));
        // The classic models also put their archive schedule back on the
        // period's grid of their own clock.
        if (ok && model.family == StationFamily::Classic)
            ok = done(realignArchiveSchedule(link, readClockMinute(link)));
        return ok ? model.protocol.ackResult : kNoReply;
    });
    return done(result) ? result : kNoReply;
}

int setArchiveInterval(StationLink& link, int minutes)
{
    const std::optional<ArchiveInterval> interval = findArchiveInterval(minutes);
    if (!interval)
        return kNoAnswer;
    const std::array<std::uint8_t, 1> sample{
        static_cast<std::uint8_t>(kSamplePeriodBase - interval->sampleSeconds)};
    if (!done(link.sendCommand(protocol::kSetSamplePeriod, sample)))
        return kNoAnswer;
    const std::array<std::uint8_t, 1> archive{static_cast<std::uint8_t>(interval->minutes)};
    if (!done(link.sendCommand(protocol::kSetArchivePeriod, archive)))
        return kNoAnswer;
    return done(clearArchiveMemory(link)) ? kDone : kNoAnswer;
}

int resetHighWindSpeed(StationLink& link)
{
    // The selector names the value's two nibbles, so one zero byte goes out.
    return done(link.writeStation(link.model().memory.highWindSpeed, 0)) ? kDone : kNoAnswer;
}

} // namespace bv::station
