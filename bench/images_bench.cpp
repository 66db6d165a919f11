// CPU time of one gauge and one graph, drawn and written as a GIF into
// Images/ of a fresh station directory under the temporary directory: the
// three gauge kinds from one set of current conditions, the three graph kinds
// from a full archive text file of 1560 records.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>

#include "archive_file.h"
#include "images/archive_graphs.h"
#include "images/current_images.h"
#include "support/temp_dir.h"

namespace {

using namespace bv;

// Highs and lows as a station would answer them, without the station.
class FixedMemory : public images::GaugeMemory {
  public:
    double read(station::ClassicValue) override { return 40.0; }
    double read(station::TirrelValue) override { return 40.0; }
};

station::CurrentConditions sampleConditions()
{
    station::CurrentConditions c;
    c.dataValid = true;
    c.classic = {72.5f, 70.0f, 40, 55, 29.92f, 14.0f, 225, 3.5f};
    return c;
}

void BM_Gauge(benchmark::State& state)
{
    testsupport::TempDir dir("images-bench");
    app::ConfigRecord config;
    config.imageHighsLows = true;
    const station::CurrentConditions conditions = sampleConditions();
    FixedMemory memory;
    const images::CurrentImageInputs inputs{dir.path(), config, conditions, memory};
    const int index = static_cast<int>(state.range(0));
    for (auto _ : state)
        if (!images::makeCurrentImage(index, inputs).written())
            state.SkipWithError("no image");
}
// 1 outside temperature (bar), 5 wind speed (dial), 11 wind direction (compass).
BENCHMARK(BM_Gauge)->Arg(1)->Arg(5)->Arg(11)->Unit(benchmark::kMillisecond);

void BM_Graph(benchmark::State& state)
{
    testsupport::TempDir dir("images-bench");
    images::test::writeArchive(dir.path(), images::test::fullArchive());
    app::ConfigRecord config;
    const units::RegionalSettings regional;
    const images::GraphInputs inputs{dir.path(), config, regional};
    const int index = static_cast<int>(state.range(0));
    for (auto _ : state)
        if (!images::makeArchiveGraph(index, inputs).written())
            state.SkipWithError("no graph");
}
// 1 outside temperature (line graph), 9 wind direction, 10 wind run.
BENCHMARK(BM_Graph)->Arg(1)->Arg(9)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
