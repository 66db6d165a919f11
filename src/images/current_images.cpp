#include "images/current_images.h"

#include <memory>
#include <optional>
#include <string>

#include "app/base/strings_images.h"
#include "app/base/strings_weather.h"
#include "images/bar_gauge.h"
#include "images/compass_gauge.h"
#include "images/dial_gauge.h"
#include "images/gauge_scales.h"
#include "images/image_file.h"
#include "station/derived_values.h"
#include "station/station_models.h"

namespace bv::images {
namespace {

namespace text = app::strings;
using station::ClassicValue;
using station::TirrelValue;

constexpr double kNone = station::kMissingValue;
constexpr int kHumidityMissing = 128; // the outside humidity sensor's own marker

enum class Kind { Dial, Compass, Temperature, Humidity, WindChill, Rain, Barometer };

constexpr Rgb kTemperatureBar{255, 128, 64};
constexpr Rgb kDewPointBar{128, 0, 0};
constexpr Rgb kWindChillBar{255, 128, 128};
constexpr Rgb kHumidityBar{192, 192, 192};
constexpr Rgb kWaterBar{0, 255, 255};

enum Image {
    kInsideTemp,
    kOutsideTemp,
    kInsideHum,
    kOutsideHum,
    kBarometer,
    kWindSpeed,
    kDailyRain,
    kTotalRain,
    kDewPoint,
    kWindChill,
    kThermalIndex,
    kWindDirection,
};

// How each image shows its value, and what it logs when the value is missing.
struct ImageKind {
    Kind kind;
    std::string_view error;
};
constexpr std::array<ImageKind, kCurrentImageCount> kImageKinds = {{
    {Kind::Temperature, text::kInsideTempImageError},
    {Kind::Temperature, text::kOutsideTempImageError},
    {Kind::Humidity, text::kHumidityImageError},
    {Kind::Humidity, text::kHumidityImageError},
    {Kind::Barometer, text::kBarometerImageError},
    {Kind::Dial, text::kWindSpeedImageError},
    {Kind::Rain, text::kRainImageError},
    {Kind::Rain, text::kRainImageError},
    {Kind::Temperature, text::kDewPointImageError},
    {Kind::WindChill, text::kWindChillImageError},
    {Kind::Temperature, text::kThiImageError},
    {Kind::Compass, text::kWindDirectionImageError},
}};

// An image's value and the day's high and low it marks (kNone where none).
struct Reading {
    double value = kNone;
    double high = kNone;
    double low = kNone;
};

// Where an image's value comes from when not from the current-conditions
// record, and which station-memory values are its day's high and low.
template <class Value> struct MemorySources {
    std::optional<Value> value;
    std::optional<Value> high;
    std::optional<Value> low;
};

using C = ClassicValue;
constexpr std::array<MemorySources<C>, kCurrentImageCount> kClassicSources = {{
    {{}, C::HighInsideTemp, C::LowInsideTemp},
    {{}, C::HighOutsideTemp, C::LowOutsideTemp},
    {{}, C::HighInsideHum, C::LowInsideHum},
    {{}, C::HighOutsideHum, C::LowOutsideHum},
    {},
    {{}, C::HighWindSpeed, {}},
    {C::DailyRain, {}, {}},
    {},
    {{}, C::HighDewPoint, C::LowDewPoint},
    {{}, {}, C::LowWindChill},
    {},
    {},
}};

// Soil temperature and the day's ET take the places of the inside temperature
// and humidity; the dew point has no marks.
using T = TirrelValue;
constexpr std::array<MemorySources<T>, kCurrentImageCount> kTirrelSources = {{
    {{}, T::HighSoilTemp, T::LowSoilTemp},
    {{}, T::HighAirTemp, T::LowAirTemp},
    {T::DailyEt, {}, {}},
    {{}, T::HighOutsideHum, T::LowOutsideHum},
    {},
    {{}, T::HighWindSpeed, {}},
    {T::DailyRain, {}, {}},
    {},
    {},
    {{}, {}, T::LowWindChill},
    {},
    {},
}};

// The values of the current-conditions record in image order (kNone where the
// value comes from station memory).
std::array<double, kCurrentImageCount> recordValues(const station::ClassicConditions& c,
                                                    const station::DerivedWeather& d)
{
    return {c.insideTemp,
            c.outsideTemp,
            static_cast<double>(c.insideHum),
            static_cast<double>(c.outsideHum),
            c.barometer,
            c.windSpeed,
            kNone,
            c.rain,
            d.dewPoint,
            d.windChill,
            d.thermalIndex,
            static_cast<double>(c.windDir)};
}

std::array<double, kCurrentImageCount> recordValues(const station::TirrelConditions& c,
                                                    const station::DerivedWeather& d)
{
    return {c.soilTemp,  c.airTemp,   kNone,          static_cast<double>(c.outsideHum),
            c.barometer, c.windSpeed, kNone,          c.rain,
            d.dewPoint,  d.windChill, d.thermalIndex, static_cast<double>(c.windDir)};
}

// Reads station memory for the value when it lives there, and for the day's
// high and low only when the user wants them marked.
template <class Value>
Reading readGauge(double recordValue, const MemorySources<Value>& sources, GaugeMemory& memory,
                  bool highsLows)
{
    const auto read = [&memory](const std::optional<Value>& value) {
        return value ? memory.read(*value) : kNone;
    };
    Reading reading{sources.value ? read(sources.value) : recordValue};
    if (highsLows) {
        reading.high = read(sources.high);
        reading.low = read(sources.low);
    }
    return reading;
}

// One image as the station's family fills it.
struct Gauge {
    Kind kind = Kind::Temperature;
    std::string_view title;
    std::string_view fileName;
    std::string_view error;
    Reading reading;
    bool marks = false;
};

Gauge describeGauge(int index, bool tirrel)
{
    const auto i = static_cast<std::size_t>(index);
    Gauge gauge{kImageKinds[i].kind,
                text::kCurrentImageTitles[i],
                text::kCurrentImageFiles[i].text,
                kImageKinds[i].error,
                {}};
    if (tirrel && index == kInsideTemp) {
        gauge.title = text::kSoilTempLabel.text;
        gauge.fileName = text::kSoilImageFile;
        gauge.error = text::kSoilTempImageError;
    } else if (tirrel && index == kInsideHum) {
        gauge.kind = Kind::Rain;
        gauge.title = text::kDailyEtLabel.text;
        gauge.fileName = text::kEtImageFile;
        gauge.error = text::kRainImageError;
    }
    return gauge;
}

Rgb barColour(int index, Kind kind)
{
    if (index == kDewPoint)
        return kDewPointBar;
    switch (kind) {
    case Kind::Humidity:
        return kHumidityBar;
    case Kind::WindChill:
        return kWindChillBar;
    case Kind::Rain:
    case Kind::Barometer:
        return kWaterBar;
    default:
        return kTemperatureBar;
    }
}

std::string_view unitSuffix(Kind kind, const units::UnitsSelection& units)
{
    switch (kind) {
    case Kind::Humidity:
        return text::kHumiditySuffix;
    case Kind::Rain:
        return text::kRainSuffixes[static_cast<std::size_t>(units.rain)];
    case Kind::Barometer:
        return text::kBarometerSuffixes[static_cast<std::size_t>(units.barometer)];
    default:
        return text::kTemperatureSuffixes[static_cast<std::size_t>(units.temperature)];
    }
}

BarStyle barStyle(int index, const Gauge& gauge, const units::UnitsSelection& units)
{
    BarStyle style;
    style.barColour = barColour(index, gauge.kind);
    style.marksShown = gauge.marks;
    switch (gauge.kind) {
    case Kind::Rain:
        style.scale = rainScale(gauge.reading.value);
        style.decimalScale = style.scale.maximum == 1.0f;
        style.decimalValue = true;
        break;
    case Kind::Barometer:
        style.scale = barometerScale(gauge.reading.value, units.barometer);
        style.decimalScale = style.decimalValue = true;
        break;
    case Kind::WindChill:
        style.scale = windChillScale(gauge.reading.value, gauge.reading.low);
        break;
    default:
        style.scale = temperatureScale(gauge.reading.value, gauge.reading.high, gauge.reading.low);
        break;
    }
    return style;
}

std::unique_ptr<GaugeImage> gaugeImage(int index, const Gauge& gauge,
                                       const units::UnitsSelection& units, Background background)
{
    if (gauge.kind == Kind::Dial)
        return std::make_unique<DialGauge>(background, gauge.reading.value, gauge.reading.high,
                                           units.wind);
    if (gauge.kind == Kind::Compass)
        return std::make_unique<CompassGauge>(background, gauge.reading.value);
    return std::make_unique<BarGauge>(
        std::string(gauge.title) + std::string(unitSuffix(gauge.kind, units)), background,
        gauge.reading.value, gauge.reading.high, gauge.reading.low, barStyle(index, gauge, units));
}

} // namespace

ImageResult makeCurrentImage(int index, const CurrentImageInputs& inputs)
{
    if (index < 0 || index >= kCurrentImageCount)
        return imageFailed({});
    const app::ConfigRecord& config = inputs.config;
    units::UnitsSelection units;
    units::applyUnitCodes(units, config.tempUnit, config.rainUnit, config.baroUnit,
                          config.windUnit);
    const station::StationModel* model = station::findStationModel(config.stationModel);
    const bool tirrel = model != nullptr && model->family == station::StationFamily::Tirrel;
    const bool highsLows = static_cast<bool>(config.imageHighsLows);
    const auto i = static_cast<std::size_t>(index);

    Gauge gauge = describeGauge(index, tirrel);
    gauge.marks = highsLows;
    std::int16_t outsideHum = 0;
    if (tirrel) {
        const station::TirrelConditions& c = inputs.conditions.tirrel;
        const auto derived = station::deriveWeather(c.airTemp, c.outsideHum, c.windSpeed, units);
        gauge.reading =
            readGauge(recordValues(c, derived)[i], kTirrelSources[i], inputs.memory, highsLows);
        outsideHum = c.outsideHum;
    } else {
        const station::ClassicConditions& c = inputs.conditions.classic;
        const auto derived =
            station::deriveWeather(c.outsideTemp, c.outsideHum, c.windSpeed, units);
        gauge.reading =
            readGauge(recordValues(c, derived)[i], kClassicSources[i], inputs.memory, highsLows);
        outsideHum = c.outsideHum;
    }
    const bool humidityMarker = index == kOutsideHum && outsideHum == kHumidityMissing;
    if (!inputs.conditions.dataValid || !isReading(gauge.reading.value) || humidityMarker)
        return imageFailed(std::string(gauge.error));

    const std::unique_ptr<GaugeImage> image =
        gaugeImage(index, gauge, units, imageBackground(config.imageBackground));
    return writeImage(*image, inputs.stationDir, gauge.fileName);
}

} // namespace bv::images
