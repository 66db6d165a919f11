#!/usr/bin/env bash
# The main job, as a demo: installs what the build needs, builds, and makes a
# demo station in demo/station (on the first run) that publishes the sample
# templates with every gauge and graph into demo/www by local delivery. It
# serves a simulated station when none is attached, downloads the archive,
# publishes once at once, then runs hollit until it is stopped: with its window
# when $DISPLAY is set, else headless; it publishes again every minute.
# Arguments go to hollit (e.g. -d: no automatic activity).
#
# To use a real station, link demo/station/ports/COMn to its device (e.g.
# /dev/serial/by-id/...) and set its model and port with viraraz config set.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target viraraz hollit
viraraz=$root/build/default/src/cli/viraraz
hollit=$root/build/default/src/gui/hollit

mkdir -p demo/station/templates demo/station/Download demo/station/Images demo/www
cd demo/station
every() {
    local n=$1 v=$2
    local out=$v
    for ((i = 1; i < n; i++)); do out+=",$v"; done
    echo "$out"
}
# files.dat is written last, so a setup cut short is done again.
if [ ! -f files.dat ]; then
    "$viraraz" config set stationModel "Ostrel II" >/dev/null
    "$viraraz" config set localTransferEnabled 1 >/dev/null
    "$viraraz" config set localTransferPath "$root/demo/www/" >/dev/null
    "$viraraz" config set transferIntervalSec 60 >/dev/null
    "$viraraz" config set downloadBeforeUpload 1 >/dev/null
    "$viraraz" config set uploadArchiveFile 1 >/dev/null
    # Every gauge but the thermal index, which cool air leaves without a value.
    "$viraraz" config set currentImages 1,1,1,1,1,1,1,1,1,1,0,1,1 >/dev/null
    "$viraraz" config set historyImages "$(every 13 1)" >/dev/null
    cp "$root"/resources/samples/{sample.htx,ticker.htm,ticker.js} templates/
    printf 'sample.htx\nticker.js\nticker.htm\n' > files.dat
fi
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
    "$viraraz" simulate --history-hours 48 >simulate.log 2>&1 &
    started+=($!)
    for _ in {1..100}; do grep -q '^Simulating' simulate.log && break; sleep 0.05; done
    [ -e "ports/COM$port" ] || { cat simulate.log >&2; exit 1; }
    cat simulate.log
fi

"$viraraz" download --replace || echo "run.sh: the download failed; the graphs wait for the next one" >&2
"$viraraz" publish || echo "run.sh: the first publishing cycle had failures (see demo/station/event.log)" >&2
echo "run.sh: published pages are in $root/demo/www (open $root/demo/www/sample.htm)"
if [ -n "${DISPLAY:-}" ]; then
    "$hollit" "$@" &
else
    "$hollit" --headless "$@" &
fi
started=("$!" "${started[@]}")
wait "${started[0]}"
