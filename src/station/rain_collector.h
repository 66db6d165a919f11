#pragma once

#include <optional>

#include "units/units_selection.h"

namespace bv::station {

// The unit in which a collector's amount per bucket tip is given.
enum class CollectorUnit { Inch = 0, Millimetre = 1 };

// The rain collector of the station: how much rain one bucket tip stands for.
// Every rain value of the station is a count of tips converted by this.
class RainCollector {
  public:
    // 0.01 inch per tip until the program tells the station otherwise.
    RainCollector() = default;

    // Inches: 0.001 to 10; millimetres: 0.01 to 254. Anything else is refused.
    static std::optional<RainCollector> fromAmount(double amount, CollectorUnit unit);

    double inchesPerTip() const { return inchesPerTip_; }
    // The value the station keeps as its rain calibration: 10, 100 or 127.
    int tipsPerInch() const;

    double toRain(double tips, units::RainUnit unit) const;
    // A rain amount back to tips, rounded half up.
    long toTips(double rain, units::RainUnit unit) const;

  private:
    RainCollector(double inchesPerTip, double millimetresPerTip)
        : inchesPerTip_(inchesPerTip), millimetresPerTip_(millimetresPerTip)
    {
    }

    double inchesPerTip_ = 0.01;
    double millimetresPerTip_ = 0.254;
};

// The collector of the configuration's rainCollector setting: 1 is 0.1 inch per
// tip, 2 is 0.01 inch, 3 is 0.2 millimetre; any other setting names none.
std::optional<RainCollector> configuredRainCollector(int setting);

} // namespace bv::station
