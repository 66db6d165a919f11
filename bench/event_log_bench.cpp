// Cost of one logEvent on a full event log (10001 lines): read the old log,
// write the new one through event.tmp, flush it to the disk and rename it.
//
// The log lives in a fresh directory under the current directory (or under
// $BV_BENCH_DIR), so it measures the disk a station directory would use.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/base/event_log.h"
#include "platform/clock.h"
#include "units/regional_settings.h"

namespace {

namespace fs = std::filesystem;

class FixedClock : public bv::platform::Clock {
  public:
    bv::platform::WallTime localTime() const override { return {2031, 6, 21, 14, 5, 0, 0, 6}; }
    std::int64_t monotonicMs() const override { return 0; }
};

fs::path makeStationDir()
{
    const char* base = std::getenv("BV_BENCH_DIR");
    std::string pattern =
        ((base != nullptr ? fs::path(base) : fs::current_path()) / "event-log-bench-XXXXXX")
            .string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return {};
    return pattern;
}

void writeFullLog(const fs::path& path)
{
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < 10001; ++i)
        out << "  6/21/31  2:05p File \"C:\\station\\Images\\outtemp" << i
            << ".gif\" transferred successfully to FTP site.\n";
}

void BM_LogEventOnFullLog(benchmark::State& state)
{
    const fs::path dir = makeStationDir();
    if (dir.empty()) {
        state.SkipWithError("cannot create the station directory");
        return;
    }
    FixedClock clock;
    const bv::units::RegionalSettings regional{bv::units::DateOrder::MonthDayYear, '/', false, ':'};
    bv::app::EventLog log(dir, clock, regional);
    writeFullLog(log.path());
    const auto bytes = fs::file_size(log.path());
    for (auto _ : state) {
        if (log.logEvent("Hanging up Dialup connection.") != 0) {
            state.SkipWithError("logEvent failed");
            break;
        }
    }
    state.counters["log_bytes"] = static_cast<double>(bytes);
    fs::remove_all(dir);
}
BENCHMARK(BM_LogEventOnFullLog)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
