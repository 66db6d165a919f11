#!/bin/bash
# Wall time of one `viraraz download --replace` of a full archive ring (256
# blocks) against the simulated station at 2400 baud (`viraraz simulate
# --baud-pacing --archive-period 1 --history-hours 30` in a fresh station
# directory), beside the least time the download can take:
#
#   line time    bytes in both directions (from the download's --trace) x 10 bits / 2400 baud
#   fixed waits  the 500 ms of quiet that ends each drain (one "timeout" line
#                each in the trace; a healthy download has no other time-out).
#                The dialog's wait of three 100 ms ticks between blocks runs
#                while the next block is still on the line, so it adds nothing.
#
# Target: the wall time within 3 % of that bound.
#
# Usage: bench/download_bench.sh [BUILD_DIR] [RUNS] [MODEL...]
#   BUILD_DIR  the CMake build directory holding src/cli/viraraz (default: build/default)
#   RUNS       downloads per model (default: 1; each takes about 2.5 minutes)
#   MODEL      station models (default: "Tirrel E" "Carrow III", one of each family)
set -euo pipefail

build_dir=${1:-build/default}
runs=${2:-1}
shift $(( $# < 2 ? $# : 2 ))
models=("$@")
[ ${#models[@]} -eq 0 ] && models=("Tirrel E" "Carrow III")
viraraz=$(realpath "$build_dir/src/cli/viraraz")
[ -x "$viraraz" ] || { echo "no viraraz in $build_dir/src/cli (build the target viraraz)" >&2; exit 2; }

readonly baud=2400 bits_per_byte=10 drain_quiet_ms=500
station=
simulator=
cleanup() {
    if [ -n "$simulator" ]; then kill "$simulator" 2>/dev/null; wait "$simulator" 2>/dev/null || true; fi
    [ -n "$station" ] && rm -rf "$station"
    simulator= station=
}
trap cleanup EXIT

printf '%-11s %9s %9s %10s %7s %7s %9s %7s\n' model "wall ms" "bound ms" "line ms" bytes drains "waits ms" "over"
for model in "${models[@]}"; do
    station=$(mktemp -d)
    mkdir "$station/Download"
    "$viraraz" --station-dir "$station" config set stationModel "$model"
    "$viraraz" --station-dir "$station" config set stationBaud "$baud"
    "$viraraz" --station-dir "$station" simulate --baud-pacing --archive-period 1 \
        --history-hours 30 >"$station/simulate.log" 2>&1 &
    simulator=$!
    for i in {1..100}; do [ -L "$station/ports/COM1" ] && break; sleep 0.05; done
    [ -L "$station/ports/COM1" ] || { cat "$station/simulate.log" >&2; exit 1; }

    total_ms=0
    for ((run = 0; run < runs; run++)); do
        start=$(date +%s%N)
        "$viraraz" --station-dir "$station" download --replace --trace "$station/download.trace" \
            >"$station/download.out" 2>"$station/download.err" ||
            { cat "$station/download.err" >&2; exit 1; }
        total_ms=$(( total_ms + ($(date +%s%N) - start) / 1000000 ))
    done
    wall_ms=$(( total_ms / runs ))
    grep -q "Transferred 1[05][16][50] records" "$station/download.err" ||
        { echo "not a full ring:" >&2; cat "$station/download.err" >&2; exit 1; }
    # Bytes of the ">" and "<" lines, and the drains' time-outs, of the last download.
    read -r bytes drains < <(awk '$2 == ">" || $2 == "<" { n += NF - 2 } $2 == "timeout" { t++ }
                                  END { print n + 0, t + 0 }' "$station/download.trace")
    line_ms=$(( bytes * bits_per_byte * 1000 / baud ))
    waits_ms=$(( drains * drain_quiet_ms ))
    bound_ms=$(( line_ms + waits_ms ))
    over=$(awk -v w="$wall_ms" -v b="$bound_ms" 'BEGIN { printf "%+.1f%%", (w - b) * 100 / b }')
    printf '%-11s %9d %9d %10d %7d %7d %9d %7s\n' "$model" "$wall_ms" "$bound_ms" "$line_ms" "$bytes" \
        "$drains" "$waits_ms" "$over"
    cleanup
done
