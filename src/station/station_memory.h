#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "station/result_codes.h"
#include "station/station_models.h"

namespace bv::station {

// The unsigned value of the first `nibbles` nibbles of bytes (little-endian).
// Missing bytes count as 0.
std::uint32_t nibbleValue(std::span<const std::uint8_t> bytes, int nibbles);

// A 4-nibble value is the station's signed 16-bit number; shorter values are
// unsigned.
int rawNumber(std::uint32_t value, int nibbles);

// The low 12 bits, sign-extended from bit 11: -2048 .. 2047.
int signExtend12(std::uint32_t value);

// Two BCD digits; -1 when either nibble is not a decimal digit.
int fromBcd(std::uint8_t byte);

// Day, month and time of a day's high or low. The Tirrel models keep the year
// as well; the others keep none (year 0).
struct RecordTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;

    friend bool operator==(const RecordTime&, const RecordTime&) = default;
};

// A time read from the station: result kDone with the time, kMissingValue when the
// station holds no time, kNoAnswer when it did not answer.
struct TimeReading {
    int result = kNoAnswer;
    RecordTime time;
};

// The times of a day's high and of its low; a value that has only one of them
// leaves the other empty.
struct HighLowTimes {
    std::optional<TimeReading> high;
    std::optional<TimeReading> low;
};

// A Tirrel time word: bits 4-15 the minute of the day, bits 0-3 the number of days
// before today (15: the station holds no time).
struct TirrelTimeWord {
    int daysAgo = 0;
    int minuteOfDay = 0;
};
std::optional<TirrelTimeWord> decodeTirrelTimeWord(std::uint16_t word);

// The date `daysAgo` days before year-month-day, across month and year ends.
RecordTime stepBackDays(int year, int month, int day, int daysAgo);

// Classic high/low times. A pair is 4 bytes of BCD hour and minute (high, then
// low) and, 8 nibbles further on, 3 bytes of dates: the high's BCD day; the
// high's month in the low nibble of byte 1; the low's day in the high nibble of
// byte 1 (units) and the low nibble of byte 2 (tens); the low's month in the high
// nibble of byte 2. A value that is not a valid date and time of day means the
// station holds no time for it.
struct ClassicTimePair {
    std::optional<RecordTime> high;
    std::optional<RecordTime> low;
};
ClassicTimePair decodeClassicTimePair(std::span<const std::uint8_t> times,
                                      std::span<const std::uint8_t> dates);
// A single time: BCD hour and minute, then the BCD day and the month in the low
// nibble of the next byte.
std::optional<RecordTime> decodeClassicTime(std::span<const std::uint8_t> time,
                                            std::span<const std::uint8_t> date);

// The Tirrel station clock: BCD hour and minute; then the BCD day, the month in
// the low nibble of byte 1 and the year byte ((year - 1900) mod 256) in the high
// nibble of byte 1 (low half) and the low nibble of byte 2 (high half). Year bytes
// up to 90 are 2000 onwards. Nothing unless it is a valid date and time.
std::optional<RecordTime> decodeTirrelClock(std::span<const std::uint8_t> time,
                                            std::span<const std::uint8_t> date);

// The barometer trend byte: bit 0 steady, else bit 1 rising, else bit 2 falling,
// else no trend. The numbers are those the pages and pagers show.
enum class BarometerTrend { Steady = 0, Rising = 1, Falling = 2, None = -100, NoAnswer = -101 };
BarometerTrend decodeBarometerTrend(std::uint8_t bits);

} // namespace bv::station
