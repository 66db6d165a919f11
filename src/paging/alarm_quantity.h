#pragma once

#include <span>
#include <string_view>

#include "units/conversions.h"

namespace bv::paging {

// The quantities alarms and pages are made of, in the order of the Pager
// Alarms rows, the alarm codes of "alarm.dat" and the current-weather page.
enum Quantity : int {
    InsideTemp = 0, // Tirrel family: soil temperature
    OutsideTemp,
    InsideHum, // Tirrel family: the day's ET
    OutsideHum,
    Barometer,
    WindSpeed, // alarms test the day's high
    DailyRain,
    RainRate,
    DewPoint,
    WindChill,
    Thi,
    WindDirection, // current-weather page and AND alarms only
};

inline constexpr int kQuantityCount = 12;
// Quantities 0..10 carry low and high limits in `alarmLimits`.
inline constexpr int kLimitQuantityCount = 11;
// What a page shows for a value the station did not give.
inline constexpr int kMissingPageValue = 9999;

enum class PageScale {
    Rounded,    // to the nearest whole number, halves away from zero
    Hundredths, // x 100, truncated after adding 0.1 (29.92 pages as 2992)
};

struct QuantityInfo {
    std::string_view name;       // as the Pager Alarms dialog shows it
    std::string_view tirrelName; // on the Tirrel family
    bool hasLow;                 // a low limit may be set (on the Tirrel family not for ET)
    bool hasHigh;
    PageScale scale;
    PageScale tirrelScale;
};

std::span<const QuantityInfo> alarmQuantities();
std::string_view quantityName(int quantity, units::StationFamily family);

// -100 (missing), -101 (no answer) and anything not finite.
bool isMissingReading(double value);

// A reading as a whole number of a page: rounded half away from zero, or
// truncated toward zero; kMissingPageValue for a missing or unanswered
// reading.
int wholePageValue(double value, bool truncate);

// The whole number a page carries for a quantity's value, rounded with halves
// away from zero (a wind chill of -20.0 pages as -20, -20.5 as -21) or in
// hundredths; kMissingPageValue for a missing or unanswered reading.
int pageValue(int quantity, double value, units::StationFamily family);

} // namespace bv::paging
