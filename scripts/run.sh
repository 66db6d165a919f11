#!/usr/bin/env bash
# The main job: installs what the build needs, builds the programs, then in
# ./station (made when missing) polls the station once and runs the main
# program, hollit, until it is stopped: with its window when $DISPLAY is set,
# else headless. Arguments go to hollit (e.g. -d: no automatic activity).
#
# The station is the one config.dat names (model, port n, baud rate) and sits
# on station/ports/COMn. When that does not exist, the built-in simulator
# serves the configured model there while the script runs; to use a real
# station, link station/ports/COMn to its device (e.g. /dev/serial/by-id/...).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target viraraz hollit
viraraz=$PWD/build/default/src/cli/viraraz
hollit=$PWD/build/default/src/gui/hollit

mkdir -p station
cd station
port=$("$viraraz" config get stationComPort)
# What this script started, stopped when it ends, however it ends.
started=()
stop_started() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    return 0
}
trap stop_started EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [ ! -e "ports/COM$port" ]; then
    "$viraraz" simulate >simulate.log 2>&1 &
    started+=($!)
    for _ in {1..100}; do grep -q '^Simulating' simulate.log && break; sleep 0.05; done
    [ -e "ports/COM$port" ] || { cat simulate.log >&2; exit 1; }
    cat simulate.log
fi

"$viraraz" poll || echo "run.sh: the poll failed; hollit starts all the same" >&2
if [ -n "${DISPLAY:-}" ]; then
    "$hollit" "$@" &
else
    "$hollit" --headless "$@" &
fi
started=("$!" "${started[@]}")
wait "${started[0]}"
