#include "station/rain_collector.h"

#include <cmath>

namespace bv::station {

namespace {

constexpr double kInchesPerMillimetre = 0.03937007874015748;
constexpr double kMillimetresPerInch = 25.4;

constexpr double kMinInches = 0.001;
constexpr double kMaxInches = 10;
constexpr double kMinMillimetres = 0.01;
constexpr double kMaxMillimetres = 254;

// The three collectors the station knows, by amount per tip in thousandths of the
// unit the amount was given in; the factors are the station's own, so 0.2 mm reads
// as exactly 0.2 mm per tip and 0.1 inch as exactly 2.54 mm.
constexpr long kTenthInchCode = 100;
constexpr long kHundredthInchCode = 10;
constexpr long kFifthMillimetreCode = 200;

} // namespace

std::optional<RainCollector> RainCollector::fromAmount(double amount, CollectorUnit unit)
{
    const long code = std::lround(amount * 1000);
    if (unit == CollectorUnit::Inch) {
        if (!(amount >= kMinInches && amount <= kMaxInches))
            return std::nullopt;
        if (code == kTenthInchCode)
            return RainCollector(0.1, 2.54);
        if (code == kHundredthInchCode)
            return RainCollector(0.01, 0.254);
        return RainCollector(amount, amount * kMillimetresPerInch);
    }
    if (!(amount >= kMinMillimetres && amount <= kMaxMillimetres))
        return std::nullopt;
    if (code == kFifthMillimetreCode)
        return RainCollector(0.2 * kInchesPerMillimetre, 0.2);
    return RainCollector(amount * kInchesPerMillimetre, amount);
}

int RainCollector::tipsPerInch() const
{
    return static_cast<int>(std::lround(1 / inchesPerTip_));
}

double RainCollector::toRain(double tips, units::RainUnit unit) const
{
    return tips * (unit == units::RainUnit::Millimetre ? millimetresPerTip_ : inchesPerTip_);
}

long RainCollector::toTips(double rain, units::RainUnit unit) const
{
    const double perTip = unit == units::RainUnit::Millimetre ? millimetresPerTip_ : inchesPerTip_;
    return static_cast<long>(std::trunc(rain / perTip + 0.5));
}

std::optional<RainCollector> configuredRainCollector(int setting)
{
    switch (setting) {
    case 1:
        return RainCollector::fromAmount(0.1, CollectorUnit::Inch);
    case 2:
        return RainCollector::fromAmount(0.01, CollectorUnit::Inch);
    case 3:
        return RainCollector::fromAmount(0.2, CollectorUnit::Millimetre);
    default:
        return std::nullopt;
    }
}

} // namespace bv::station
