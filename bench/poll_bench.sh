#!/bin/bash
# Wall time of one `viraraz poll` against the simulated station at 2400 baud
# (`viraraz simulate --baud-pacing` in a fresh station directory), beside the
# least time the poll can take:
#
#   line time    bytes in both directions (from the poll's --trace) x 10 bits / 2400 baud
#   fixed waits  1 s before the LOOP command, and the 500 ms of quiet that ends
#                the drain in front of every command (one "timeout" line each
#                in the trace; a healthy poll has no other time-out)
#
# Target: the wall time within 10 % of that bound.
#
# Usage: bench/poll_bench.sh [BUILD_DIR] [RUNS] [MODEL...]
#   BUILD_DIR  the CMake build directory holding src/cli/viraraz (default: build/default)
#   RUNS       polls per model (default: 3)
#   MODEL      station models (default: "Tirrel E" "Carrow III", one of each family)
# Timed with hyperfine when it is installed, else with date +%s%N.
set -euo pipefail

build_dir=${1:-build/default}
runs=${2:-3}
shift $(( $# < 2 ? $# : 2 ))
models=("$@")
[ ${#models[@]} -eq 0 ] && models=("Tirrel E" "Carrow III")
viraraz=$(realpath "$build_dir/src/cli/viraraz")
[ -x "$viraraz" ] || { echo "no viraraz in $build_dir/src/cli (build the target viraraz)" >&2; exit 2; }

readonly baud=2400 bits_per_byte=10 settle_ms=1000 drain_quiet_ms=500
station=
simulator=
cleanup() {
    if [ -n "$simulator" ]; then kill "$simulator" 2>/dev/null; wait "$simulator" 2>/dev/null || true; fi
    [ -n "$station" ] && rm -rf "$station"
    simulator= station=
}
trap cleanup EXIT

# Mean wall time of the polls in ms.
time_polls() {
    local poll=("$viraraz" --station-dir "$station" poll --trace "$station/poll.trace")
    if command -v hyperfine >/dev/null; then
        hyperfine --shell=none --style basic --runs "$runs" --export-json "$station/times.json" \
            "${poll[*]@Q}" >&2
        python3 -c 'import json,sys; print(round(json.load(open(sys.argv[1]))["results"][0]["mean"]*1000))' \
            "$station/times.json"
    else
        local total=0 start
        for ((i = 0; i < runs; i++)); do
            start=$(date +%s%N)
            "${poll[@]}" >/dev/null
            total=$(( total + $(date +%s%N) - start ))
        done
        echo $(( total / runs / 1000000 ))
    fi
}

printf '%-11s %9s %9s %10s %7s %7s %9s %7s\n' model "wall ms" "bound ms" "line ms" bytes drains "waits ms" "over"
for model in "${models[@]}"; do
    station=$(mktemp -d)
    "$viraraz" --station-dir "$station" config set stationModel "$model"
    "$viraraz" --station-dir "$station" config set stationBaud "$baud"
    "$viraraz" --station-dir "$station" simulate --baud-pacing >"$station/simulate.log" 2>&1 &
    simulator=$!
    for i in {1..100}; do [ -L "$station/ports/COM1" ] && break; sleep 0.05; done
    [ -L "$station/ports/COM1" ] || { cat "$station/simulate.log" >&2; exit 1; }

    wall_ms=$(time_polls)
    # Bytes of the ">" and "<" lines, and the drains' time-outs, of the last poll.
    read -r bytes drains < <(awk '$2 == ">" || $2 == "<" { n += NF - 2 } $2 == "timeout" { t++ }
                                  END { print n + 0, t + 0 }' "$station/poll.trace")
    line_ms=$(( bytes * bits_per_byte * 1000 / baud ))
    waits_ms=$(( settle_ms + drains * drain_quiet_ms ))
    bound_ms=$(( line_ms + waits_ms ))
    over=$(awk -v w="$wall_ms" -v b="$bound_ms" 'BEGIN { printf "%+.1f%%", (w - b) * 100 / b }')
    printf '%-11s %9d %9d %10d %7d %7d %9d %7s\n' "$model" "$wall_ms" "$bound_ms" "$line_ms" "$bytes" \
        "$drains" "$waits_ms" "$over"
    cleanup
done
