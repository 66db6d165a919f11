#include "station/station_time.h"

#include <chrono>
#include <optional>
#include <utility>
#include <vector>

#include "station/archive_settings.h"
#include "station/result_codes.h"
#include "station/station_link.h"
#include "station/station_memory.h"

namespace bv::station {

namespace {

constexpr int kYearBase = 1900;
constexpr int kYearByteMask = 0xFF;
constexpr int kLeapYear = 2000; // stands in for a year the caller does not know
constexpr int kHoursPerDay = 24;
constexpr int kMinutesPerHour = 60;
constexpr int kClockWriteNibbles = 6;  // BCD hour, minute and seconds
constexpr int kTirrelDateNibbles = 5;  // BCD day, month, year byte
constexpr int kClassicDateNibbles = 4; // BCD day, month

std::uint32_t toBcd(int value)
{
    return static_cast<std::uint32_t>((value / 10) << 4 | (value % 10));
}

bool hasYear(const StationLink& link)
{
    return link.model().family == StationFamily::Tirrel;
}

bool done(int result)
{
    return result >= 0;
}

// The date as the station stores it, with its location.
std::pair<MemoryLocation, std::uint32_t> dateWrite(const StationLink& link, const StationTime& time)
{
    const MemoryLocation& date = link.model().memory.clockDate;
    const auto day = toBcd(time.day);
    const auto month = static_cast<std::uint32_t>(time.month);
    if (!hasYear(link))
        return {{date.bank, date.address, kClassicDateNibbles}, day | month << 8};
    const auto year = static_cast<std::uint32_t>(tirrelYearByte(time.year));
    const std::uint32_t monthAndYear = (month | year << 4) & kYearByteMask;
    return {{date.bank, date.address, kTirrelDateNibbles},
            day | monthAndYear << 8 | (year >> 4) << 16};
}

} // namespace

bool isValidStationTime(const StationTime& time)
{
    using namespace std::chrono;
    if (time.month < 1 || time.month > 12 || time.day < 1)
        return false;
    const int year = time.year != 0 ? time.year : kLeapYear;
    const year_month_day date{std::chrono::year{year} /
                              std::chrono::month{static_cast<unsigned>(time.month)} /
                              std::chrono::day{static_cast<unsigned>(time.day)}};
    return date.ok() && time.hour >= 0 && time.hour < kHoursPerDay && time.minute >= 0 &&
           time.minute < kMinutesPerHour;
}

int tirrelYearByte(int year)
{
    return ((year - kYearBase) % 256 + 256) % 256;
}

int readStationTime(StationLink& link, StationTime& time)
{
    const StationMemoryMap& memory = link.model().memory;
    if (link.readStation(memory.clockTime) < 0)
        return kNoAnswer;
    const std::vector<std::uint8_t> clock(link.reply().begin(), link.reply().end());
    if (link.readStation(memory.clockDate) < 0)
        return kNoAnswer;
    const std::optional<RecordTime> read = hasYear(link) ? decodeTirrelClock(clock, link.reply())
                                                         : decodeClassicTime(clock, link.reply());
    time = {};
    if (read) {
        time = {static_cast<std::int16_t>(read->year), static_cast<std::int16_t>(read->month),
                static_cast<std::int16_t>(read->day), static_cast<std::int16_t>(read->hour),
                static_cast<std::int16_t>(read->minute)};
    }
    return kDone;
}

int setStationTime(StationLink& link, const StationTime& time)
{
    if (!isValidStationTime(time))
        return kNoAnswer;
    const auto [dateAt, date] = dateWrite(link, time);
    if (!done(link.writeStation(dateAt, date)))
        return kNoAnswer;
    const int result = link.runTimedWrite([&link, &time] {
        const MemoryLocation& clock = link.model().memory.clockTime;
        const std::uint32_t hourMinute = toBcd(time.hour) | toBcd(time.minute) << 8;
        if (!done(link.writeStation({clock.bank, clock.address, kClockWriteNibbles}, hourMinute)))
            return kNoAnswer;
        return realignArchiveSchedule(link, time.hour * kMinutesPerHour + time.minute);
    });
    return done(result) ? kDone : kNoAnswer;
}

} // namespace bv::station
