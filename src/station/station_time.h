#pragma once

#include <cstdint>

// The station's clock: reading it and setting it.
namespace bv::station {

class StationLink;

// A time as exchanged with the station. The Tirrel models keep a year; the
// classic models keep none (year 0 when read, ignored when set).
struct StationTime {
    std::int16_t year = 0;
    std::int16_t month = 0;
    std::int16_t day = 0;
    std::int16_t hour = 0;
    std::int16_t minute = 0;

    friend bool operator==(const StationTime&, const StationTime&) = default;
};

// A real date (month 1-12, day within the month of that year; year 0, for a
// station that keeps none, allows 29 February) and a time 00:00 to 23:59.
bool isValidStationTime(const StationTime& time);

// The Tirrel year byte: (year - 1900) mod 256; 2000 is 100, 2048 is 148.
int tirrelYearByte(int year);

// Fills time from the station's clock: 1, or -101 when either read failed. A
// clock that holds no valid date and time reads as all zero (month 0), which
// callers reject.
int readStationTime(StationLink& link, StationTime& time);

// Sets the date (before "DBT"), then inside "DBT"/"EBT" the time with seconds 0,
// and realigns the archive schedule with the new time. 1, or -101: a time that
// is not valid sends nothing; a failed step fails the whole, and "EBT" still
// goes out once "DBT" was taken.
int setStationTime(StationLink& link, const StationTime& time);

} // namespace bv::station
