#include "station/station_memory.h"

#include <chrono>

namespace bv::station {

namespace {

constexpr std::uint32_t kLow12Bits = 0xFFF;
constexpr std::uint32_t kSignBit12 = 0x800;
constexpr int kTirrelNoTime = 15;

constexpr std::uint8_t kTrendSteadyBit = 0x01;
constexpr std::uint8_t kTrendRisingBit = 0x02;
constexpr std::uint8_t kTrendFallingBit = 0x04;

int lowNibble(std::uint8_t b)
{
    return b & 0x0F;
}

int highNibble(std::uint8_t b)
{
    return b >> 4;
}

constexpr int kTirrelCenturyPivot = 90; // year bytes up to this are 2000 onwards
constexpr int kYearBase1900 = 1900;
constexpr int kYearBase2000 = 2000;

std::optional<RecordTime> validTime(int month, int day, int hour, int minute, int year = 0)
{
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59)
        return std::nullopt;
    return RecordTime{year, month, day, hour, minute};
}

} // namespace

std::uint32_t nibbleValue(std::span<const std::uint8_t> bytes, int nibbles)
{
    std::uint32_t value = 0;
    for (int i = 0; i < nibbles; ++i) {
        const auto byteIndex = static_cast<std::size_t>(i / 2);
        if (byteIndex >= bytes.size())
            break;
        const std::uint8_t b = bytes[byteIndex];
        const auto nibble = static_cast<std::uint32_t>(i % 2 == 0 ? lowNibble(b) : highNibble(b));
        value |= nibble << (4 * i);
    }
    return value;
}

int rawNumber(std::uint32_t value, int nibbles)
{
    if (nibbles == 4)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<int>(value);
}

int signExtend12(std::uint32_t value)
{
    const auto low = static_cast<int>(value & kLow12Bits);
    return (value & kSignBit12) != 0 ? low - 0x1000 : low;
}

int fromBcd(std::uint8_t byte)
{
    if (lowNibble(byte) > 9 || highNibble(byte) > 9)
        return -1;
    return highNibble(byte) * 10 + lowNibble(byte);
}

std::optional<TirrelTimeWord> decodeTirrelTimeWord(std::uint16_t word)
{
    const int days = word & 0x0F;
    if (days == kTirrelNoTime)
        return std::nullopt;
    return TirrelTimeWord{days, word >> 4};
}

RecordTime stepBackDays(int year, int month, int day, int daysAgo)
{
    using namespace std::chrono;
    const sys_days today = std::chrono::year{year} /
                           std::chrono::month{static_cast<unsigned>(month)} /
                           std::chrono::day{static_cast<unsigned>(day)};
    const year_month_day then{today - days{daysAgo}};
    return RecordTime{static_cast<int>(then.year()), static_cast<int>(unsigned{then.month()}),
                      static_cast<int>(unsigned{then.day()}), 0, 0};
}

ClassicTimePair decodeClassicTimePair(std::span<const std::uint8_t> times,
                                      std::span<const std::uint8_t> dates)
{
    if (times.size() < 4 || dates.size() < 3)
        return {};
    const int lowDayTens = lowNibble(dates[2]);
    const int lowDayUnits = highNibble(dates[1]);
    const int lowDay = lowDayTens > 9 || lowDayUnits > 9 ? -1 : lowDayTens * 10 + lowDayUnits;
    return ClassicTimePair{
        validTime(lowNibble(dates[1]), fromBcd(dates[0]), fromBcd(times[0]), fromBcd(times[1])),
        validTime(highNibble(dates[2]), lowDay, fromBcd(times[2]), fromBcd(times[3])),
    };
}

std::optional<RecordTime> decodeClassicTime(std::span<const std::uint8_t> time,
                                            std::span<const std::uint8_t> date)
{
    if (time.size() < 2 || date.size() < 2)
        return std::nullopt;
    return validTime(lowNibble(date[1]), fromBcd(date[0]), fromBcd(time[0]), fromBcd(time[1]));
}

std::optional<RecordTime> decodeTirrelClock(std::span<const std::uint8_t> time,
                                            std::span<const std::uint8_t> date)
{
    if (time.size() < 2 || date.size() < 3)
        return std::nullopt;
    const int yearByte = ((date[2] << 4) | highNibble(date[1])) & 0xFF;
    const int year =
        yearByte <= kTirrelCenturyPivot ? kYearBase2000 + yearByte : kYearBase1900 + yearByte;
    return validTime(lowNibble(date[1]), fromBcd(date[0]), fromBcd(time[0]), fromBcd(time[1]),
                     year);
}

BarometerTrend decodeBarometerTrend(std::uint8_t bits)
{
    if ((bits & kTrendSteadyBit) != 0)
        return BarometerTrend::Steady;
    if ((bits & kTrendRisingBit) != 0)
        return BarometerTrend::Rising;
    if ((bits & kTrendFallingBit) != 0)
        return BarometerTrend::Falling;
    return BarometerTrend::None;
}

} // namespace bv::station
