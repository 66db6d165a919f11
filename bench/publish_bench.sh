#!/bin/bash
# Wall time of one `viraraz publish` (5 templates and 25 other files, local
# delivery) against `viraraz simulate`, beside the least time the cycle can
# take:
#
#   fixed pauses  every unit of work of the cycle is followed by 150 ms (two
#                 ticks of its 75 ms clock), every delivered file by 225 ms:
#                 the poll, the opening of the lists, one unit per list entry,
#                 the starts of the image, graph and archive-file steps, the
#                 archive file's queueing and the connection: (6 + entries)
#                 x 150 ms, plus deliveries x 225 ms
#   station time  the same cycle with an empty files.dat, less its own six
#                 pauses: the poll, the program's start and end
#
# Target: the wall time within 10 % of fixed pauses plus station time.
#
# Usage: bench/publish_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail

build_dir=${1:-build/default}
runs=${2:-3}
viraraz=$(realpath "$build_dir/src/cli/viraraz")
[ -x "$viraraz" ] || { echo "no viraraz in $build_dir/src/cli (build the target viraraz)" >&2; exit 2; }

readonly templates=5 files=25 unit_ms=150 delivery_ms=225 fixed_units=6
station=$(mktemp -d)
simulator=
cleanup() {
    if [ -n "$simulator" ]; then kill "$simulator" 2>/dev/null; wait "$simulator" 2>/dev/null || true; fi
    rm -rf "$station"
}
trap cleanup EXIT

v() { "$viraraz" --station-dir "$station" "$@"; }
v config set stationModel "Carrow III" >/dev/null
v config set localTransferEnabled 1 >/dev/null
v config set localTransferPath "$station/out/" >/dev/null
v simulate >"$station/simulate.log" 2>&1 &
simulator=$!
for i in {1..100}; do [ -L "$station/ports/COM1" ] && break; sleep 0.05; done
[ -L "$station/ports/COM1" ] || { cat "$station/simulate.log" >&2; exit 1; }

mkdir -p "$station/templates" "$station/out"
for ((i = 0; i < templates; i++)); do
    for ((l = 0; l < 40; l++)); do echo "<p>line $l of page $i</p>"; done >"$station/templates/page$i.htx"
done
for ((i = 0; i < files; i++)); do head -c 20000 /dev/urandom >"$station/templates/file$i.bin"; done

# Mean wall time of `viraraz publish` in ms.
time_publish() {
    local total=0 start
    for ((r = 0; r < runs; r++)); do
        start=$(date +%s%N)
        v publish >/dev/null 2>"$station/publish.err" || { cat "$station/publish.err" >&2; exit 1; }
        total=$(( total + $(date +%s%N) - start ))
    done
    echo $(( total / runs / 1000000 ))
}

: >"$station/files.dat"
empty_ms=$(time_publish)
station_ms=$(( empty_ms - fixed_units * unit_ms ))

( cd "$station/templates" && ls page*.htx file*.bin ) >"$station/files.dat"
entries=$(( templates + files ))
wall_ms=$(time_publish)
pauses_ms=$(( (fixed_units + entries) * unit_ms + entries * delivery_ms ))
bound_ms=$(( pauses_ms + station_ms ))
over=$(awk -v w="$wall_ms" -v b="$bound_ms" 'BEGIN { printf "%+.1f%%", (w - b) * 100 / b }')
printf '%9s %10s %11s %9s %7s\n' "wall ms" "pauses ms" "station ms" "bound ms" over
printf '%9d %10d %11d %9d %7s\n' "$wall_ms" "$pauses_ms" "$station_ms" "$bound_ms" "$over"
