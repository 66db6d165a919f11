// Throughput of template conversion: a page of ordinary HTML with markers of
// the current-conditions record and the computer's clock, converted into its
// page in a temporary directory (the values of station-memory markers cost a
// station exchange each and are not measured here).
//
// Arguments: markers per kilobyte of template.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "publish/template_job.h"
#include "publish/template_markers.h"

namespace {

namespace fs = std::filesystem;
using namespace bv;

class FixedClock : public platform::Clock {
  public:
    platform::WallTime localTime() const override { return {2031, 6, 21, 14, 5, 0, 0, 6}; }
    std::int64_t monotonicMs() const override { return 0; }
};

// A station that never answers: only record and clock markers are used.
class SilentMemory : public station::MemoryReader {
  public:
    std::optional<std::vector<std::uint8_t>> readMemory(const station::MemoryLocation&) override
    {
        return std::nullopt;
    }
};

constexpr std::size_t kTemplateBytes = 4 << 20;
constexpr const char* kMarkers[] = {"<!--outtemp-->",       "<!--OutHum-->", "<!--barom-->",
                                    "<!--winddirection-->", "<!--date-->",   "<!--time-->",
                                    "<!--unknown-->",       "<!---->"};

std::string makeTemplate(int markersPerKb)
{
    const std::string text = "<td class=\"value\">weather at the station</td> ";
    std::string page;
    std::size_t next = 0;
    std::size_t sinceMarker = 0;
    const std::size_t gap = markersPerKb > 0 ? 1024 / static_cast<std::size_t>(markersPerKb) : 0;
    while (page.size() < kTemplateBytes) {
        page += text;
        sinceMarker += text.size();
        if (gap > 0 && sinceMarker >= gap) {
            page += kMarkers[next++ % std::size(kMarkers)];
            sinceMarker = 0;
        }
        if (page.size() % 7 == 0)
            page += '\n';
    }
    page += '\n';
    return page;
}

void BM_ConvertTemplate(benchmark::State& state)
{
    const fs::path dir = fs::temp_directory_path() / "bv-template-bench";
    fs::create_directories(dir);
    const fs::path in = dir / "page.htx";
    const fs::path out = dir / "page.htm";
    std::ofstream(in, std::ios::binary) << makeTemplate(static_cast<int>(state.range(0)));

    FixedClock clock;
    SilentMemory memory;
    station::ConditionsUnits units;
    station::ClassicMemory classic(memory, units);
    station::TirrelMemory tirrel(memory, units, clock);
    station::CurrentConditions conditions;
    conditions.dataValid = true;
    conditions.classic = {71.3f, 68.0f, 40, 55, 30.12f, 7.0f, 225, 0.42f};
    publish::TemplateMarkers markers({conditions, classic, tirrel}, {}, clock);
    const publish::MarkerExpander expand = markers.expander();

    for (auto _ : state) {
        if (publish::convertTemplate(in, out, expand) != publish::ConversionResult::Converted)
            state.SkipWithError("conversion failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(in)));
    fs::remove_all(dir);
}
BENCHMARK(BM_ConvertTemplate)
    ->Arg(0)
    ->Arg(4)
    ->Arg(32)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
