#include "images/archive_graphs.h"

#include <algorithm>
#include <array>

#include "app/base/strings_images.h"
#include "app/base/strings_weather.h"
#include "images/archive_reader.h"
#include "images/graph_image.h"
#include "images/graph_scales.h"
#include "images/image_file.h"
#include "images/wind_rose_image.h"
#include "images/wind_run_image.h"
#include "station/station_models.h"
#include "units/conversions.h"

namespace bv::images {
namespace {

namespace text = app::strings;

enum class Rule { Fives, Rain, Barometer };
enum class Suffix { Temperature, Humidity, Rain, Barometer, Wind };

struct LineGraph {
    int classicField;
    int tirrelField;
    Suffix suffix;
    Rule rule;
};

// Graphs 0 to 8; the Tirrel models plot soil temperature in 0 and ET in 2.
constexpr std::array<LineGraph, 9> kLineGraphs = {{
    {3, 6, Suffix::Temperature, Rule::Fives},
    {4, 3, Suffix::Temperature, Rule::Fives},
    {8, 22, Suffix::Humidity, Rule::Fives},
    {7, 7, Suffix::Humidity, Rule::Fives},
    {11, 12, Suffix::Barometer, Rule::Barometer},
    {12, 13, Suffix::Wind, Rule::Fives},
    {15, 18, Suffix::Rain, Rule::Rain},
    {9, 20, Suffix::Temperature, Rule::Fives},
    {10, 16, Suffix::Temperature, Rule::Fives},
}};
constexpr int kSoilGraph = 0;
constexpr int kEtGraph = 2;
constexpr int kWindDirectionGraph = 9;
constexpr int kWindRunGraph = 10;
constexpr int kClassicSpeedField = 12;
constexpr int kTirrelSpeedField = 13;
constexpr int kClassicDirectionField = 14;
constexpr int kTirrelDirectionField = 15;

struct Station {
    bool tirrel = false;
    units::UnitsSelection units;
    Background background;
};

std::string_view graphFileName(int index, bool tirrel)
{
    if (tirrel && index == kSoilGraph)
        return text::kSoilGraphFile;
    if (tirrel && index == kEtGraph)
        return text::kEtGraphFile;
    return text::kGraphImageFiles[static_cast<std::size_t>(index)].text;
}

std::string_view suffixText(Suffix suffix, const units::UnitsSelection& units)
{
    switch (suffix) {
    case Suffix::Temperature:
        return text::kTemperatureSuffixes[static_cast<std::size_t>(units.temperature)];
    case Suffix::Humidity:
        return text::kHumiditySuffix;
    case Suffix::Rain:
        return text::kRainSuffixes[static_cast<std::size_t>(units.rain)];
    case Suffix::Barometer:
        return text::kBarometerSuffixes[static_cast<std::size_t>(units.barometer)];
    case Suffix::Wind:
        return text::kWindSuffixes[static_cast<std::size_t>(units.wind)];
    }
    return {};
}

// Compass point 0 (N) .. 15 (NNW) of a name, or -1.
int compassPointOf(std::string_view name)
{
    const auto& points = text::kCompassPoints;
    const auto found = std::find_if(points.begin(), points.end(),
                                    [name](const app::StringEntry& e) { return e.text == name; });
    return found == points.end() ? -1 : static_cast<int>(found - points.begin());
}

// What a graph takes from its usable records: their time stamps and values.
template <class Value> struct Series {
    std::vector<units::DateTime> stamps;
    std::vector<Value> values;

    void add(const units::DateTime& stamp, const Value& value)
    {
        stamps.push_back(stamp);
        values.push_back(value);
    }
    int minuteOf(std::size_t i, const GraphPeriod& period) const
    {
        return minutesBetween(period.start, stamps[i]);
    }
};

std::unique_ptr<GaugeImage> lineGraph(int index, const std::vector<ArchiveRecord>& records,
                                      const Station& station,
                                      const units::RegionalSettings& regional)
{
    Series<float> series;
    for (const ArchiveRecord& record : records)
        if (const std::optional<float> value = parseArchiveNumber(record.fields[0]))
            series.add(record.stamp, *value);
    const std::optional<GraphPeriod> period = graphPeriod(series.stamps, 2);
    if (!period)
        return nullptr;

    LineGraph graph = kLineGraphs[static_cast<std::size_t>(index)];
    std::string title(text::kGraphTitles[static_cast<std::size_t>(index)]);
    if (station.tirrel && index == kSoilGraph) {
        title = text::kSoilTempLabel.text;
    } else if (station.tirrel && index == kEtGraph) {
        title = text::kEtGraphTitle;
        graph.suffix = Suffix::Rain;
        graph.rule = Rule::Rain;
    }
    title += suffixText(graph.suffix, station.units);

    std::vector<TimedValue> points;
    points.reserve(series.values.size());
    for (std::size_t i = 0; i < series.values.size(); ++i)
        points.push_back({series.minuteOf(i, *period), series.values[i]});
    const auto [lowest, highest] = std::minmax_element(series.values.begin(), series.values.end());
    const float minimum = *lowest;
    const float maximum = *highest == minimum ? minimum + 1.0f : *highest;
    Scale scale = fivesScale(minimum, maximum);
    if (graph.rule == Rule::Rain)
        scale = rainGraphScale(minimum, maximum);
    else if (graph.rule == Rule::Barometer)
        scale = barometerGraphScale(minimum, maximum, station.units.barometer);
    const bool twoDecimals =
        graph.rule == Rule::Barometer && station.units.barometer == units::BarometerUnit::Inch;
    return std::make_unique<GraphImage>(std::move(title), station.background, std::move(points),
                                        *period, scale, twoDecimals, regional);
}

std::unique_ptr<GaugeImage> windRose(const std::vector<ArchiveRecord>& records,
                                     const Station& station,
                                     const units::RegionalSettings& regional)
{
    Series<int> series;
    for (const ArchiveRecord& record : records)
        if (const int point = compassPointOf(record.fields[0]); point >= 0)
            series.add(record.stamp, point);
    const std::optional<GraphPeriod> period = graphPeriod(series.stamps, 2);
    if (!period)
        return nullptr;
    std::vector<TimedDirection> directions;
    directions.reserve(series.values.size());
    for (std::size_t i = 0; i < series.values.size(); ++i)
        directions.push_back({series.minuteOf(i, *period), series.values[i]});
    return std::make_unique<WindRoseImage>(station.background, std::move(directions), *period,
                                           regional);
}

// Records with a speed (field 0) and a compass point (field 1).
std::unique_ptr<GaugeImage> windRun(const std::vector<ArchiveRecord>& records,
                                    const Station& station, const units::RegionalSettings& regional)
{
    Series<TimedWind> series;
    for (const ArchiveRecord& record : records) {
        const std::optional<float> speed = parseArchiveNumber(record.fields[0]);
        const int point = compassPointOf(record.fields[1]);
        if (speed && point >= 0)
            series.add(record.stamp, {0, units::fromWindSpeed(*speed, station.units.wind), point});
    }
    const std::optional<GraphPeriod> period = graphPeriod(series.stamps, 3);
    if (!period)
        return nullptr;
    for (std::size_t i = 0; i < series.values.size(); ++i)
        series.values[i].minute = series.minuteOf(i, *period);
    const std::optional<WindRun> run = accumulateWindRun(series.values);
    if (!run)
        return nullptr;
    return std::make_unique<WindRunImage>(station.background, *run, *period, station.units.wind,
                                          regional);
}

std::vector<int> fieldsOf(int index, bool tirrel)
{
    if (index == kWindDirectionGraph)
        return {tirrel ? kTirrelDirectionField : kClassicDirectionField};
    if (index == kWindRunGraph)
        return {tirrel ? kTirrelSpeedField : kClassicSpeedField,
                tirrel ? kTirrelDirectionField : kClassicDirectionField};
    const LineGraph& graph = kLineGraphs[static_cast<std::size_t>(index)];
    return {tirrel ? graph.tirrelField : graph.classicField};
}

} // namespace

ImageResult makeArchiveGraph(int index, const GraphInputs& inputs)
{
    if (index < 0 || index >= kArchiveGraphCount)
        return imageFailed({});
    const app::ConfigRecord& config = inputs.config;
    Station station;
    const station::StationModel* model = station::findStationModel(config.stationModel);
    station.tirrel = model != nullptr && model->family == station::StationFamily::Tirrel;
    units::applyUnitCodes(station.units, config.tempUnit, config.rainUnit, config.baroUnit,
                          config.windUnit);
    station.background = imageBackground(config.imageBackground);

    const std::string_view fileName = graphFileName(index, station.tirrel);
    const std::vector<int> fields = fieldsOf(index, station.tirrel);
    const std::optional<ArchiveFile> archive =
        ArchiveFile::read(inputs.stationDir / kDownloadFolder / config.archiveFileName);
    std::unique_ptr<GaugeImage> image;
    if (archive) {
        const std::vector<ArchiveRecord> records = archive->records(fields, inputs.regional);
        if (index == kWindDirectionGraph)
            image = windRose(records, station, inputs.regional);
        else if (index == kWindRunGraph)
            image = windRun(records, station, inputs.regional);
        else
            image = lineGraph(index, records, station, inputs.regional);
    }
    if (!image)
        return imageFailed(std::string(text::kNotEnoughImageData) + std::string(fileName));
    return writeImage(*image, inputs.stationDir, fileName);
}

} // namespace bv::images
