#include "paging/alarm_limits.h"

#include <charconv>

#include "app/base/shell_helpers.h"
#include "paging/alarm_quantity.h"

namespace bv::paging {
namespace {

// Model codes of the configuration.
constexpr int kCarrowIII = 1;
constexpr int kCarrowII = 2;
constexpr int kLunett = 3;
constexpr int kTirrelD = 4;
constexpr int kTirrelE = 5;
constexpr int kNoRainCollector = 0;

bool isCarrow(int model)
{
    return model == kCarrowIII || model == kCarrowII;
}
bool isTirrel(int model)
{
    return model == kTirrelD || model == kTirrelE;
}
bool isRain(int quantity)
{
    return quantity == DailyRain || quantity == RainRate;
}

// What a Carrow III and II cannot measure.
bool carrowLacks(int quantity)
{
    return quantity == InsideHum || quantity == OutsideHum || quantity == Barometer ||
           quantity == DewPoint || quantity == Thi;
}

// What a Lunett cannot measure (it reports rain, but keeps no rain highs).
bool lunettLacks(int quantity)
{
    return quantity == OutsideTemp || quantity == OutsideHum || quantity == WindSpeed ||
           quantity == WindChill || quantity == DewPoint || quantity == Thi;
}

std::size_t limitIndex(int quantity, LimitSide side)
{
    return static_cast<std::size_t>(quantity * 2 + static_cast<int>(side));
}

} // namespace

units::StationFamily familyOfModel(int stationModel)
{
    return isTirrel(stationModel) ? units::StationFamily::Tirrel : units::StationFamily::Classic;
}

float alarmLimit(const app::ConfigRecord& config, int quantity, LimitSide side)
{
    return config.alarmLimits.at(limitIndex(quantity, side));
}

void setAlarmLimit(app::ConfigRecord& config, int quantity, LimitSide side, float limit)
{
    config.alarmLimits.at(limitIndex(quantity, side)) = limit;
}

bool limitSet(float limit)
{
    return limit != app::kNotSet;
}

float parseLimitText(std::string_view text)
{
    if (!app::isNumberText(text))
        return app::kNotSet;
    float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return app::kNotSet;
    return value;
}

bool limitOffered(int stationModel, int rainCollector, int quantity, LimitSide side)
{
    const QuantityInfo& info = alarmQuantities()[static_cast<std::size_t>(quantity)];
    if (!(side == LimitSide::Low ? info.hasLow : info.hasHigh))
        return false;
    if (isTirrel(stationModel) && quantity == InsideHum && side == LimitSide::Low)
        return false;
    if (isCarrow(stationModel) && carrowLacks(quantity))
        return false;
    if (stationModel == kLunett &&
        (lunettLacks(quantity) || (isRain(quantity) && side == LimitSide::High)))
        return false;
    return !(rainCollector == kNoRainCollector && isRain(quantity));
}

bool weatherItemOffered(int stationModel, int rainCollector, int quantity)
{
    if (isCarrow(stationModel) && carrowLacks(quantity))
        return false;
    if (stationModel == kCarrowII && quantity == WindDirection)
        return false;
    if (stationModel == kLunett &&
        (lunettLacks(quantity) || isRain(quantity) || quantity == WindDirection))
        return false;
    return !(rainCollector == kNoRainCollector && isRain(quantity));
}

} // namespace bv::paging
