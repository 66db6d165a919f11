#!/usr/bin/env bash
# The published sample page seen in a browser: a demo station publishes the
# sample templates with every gauge and graph to a local directory against the
# simulated station, and headless Chromium (installed from Debian when
# missing) takes a screenshot of sample.htm. The page must carry live values
# and the screenshot must show them, not an empty page.
# Usage: sample_page_test.sh VIRARAZ SAMPLES_DIR OUTPUT_DIR
set -euo pipefail
viraraz=$1 samples=$2 out=$3
mkdir -p "$out"

if ! command -v chromium >/dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends chromium >/dev/null ||
        { "${sudo_cmd[@]}" apt-get update -qq && "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends chromium >/dev/null; }
fi

work=$(mktemp -d)
sim=""
cleanup() { [ -n "$sim" ] && kill "$sim" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
station=$work/station www=$work/www
mkdir -p "$station/templates" "$station/Download" "$station/Images" "$www"
cd "$station"
ones() { local out=1; for ((i = 1; i < 13; i++)); do out+=",1"; done; echo "$out"; }
"$viraraz" config set stationModel "Ostrel II" >/dev/null
"$viraraz" config set localTransferEnabled 1 >/dev/null
"$viraraz" config set localTransferPath "$www/" >/dev/null
"$viraraz" config set uploadArchiveFile 1 >/dev/null
# Every gauge but the thermal index, which cool air leaves without a value.
"$viraraz" config set currentImages 1,1,1,1,1,1,1,1,1,1,0,1,1 >/dev/null
"$viraraz" config set historyImages "$(ones)" >/dev/null
cp "$samples"/sample.htx "$samples"/ticker.js templates/
printf 'sample.htx\nticker.js\n' > files.dat

"$viraraz" simulate --history-hours 48 >simulate.log 2>&1 &
sim=$!
# A busy machine can take a while to start the simulator: wait up to a minute.
for _ in {1..600}; do grep -q '^Simulating' simulate.log && break; sleep 0.1; done
grep -q '^Simulating' simulate.log || { echo "the simulator did not start" >&2; cat simulate.log >&2; exit 1; }
"$viraraz" download --replace >download.log || { cat download.log event.log >&2; exit 1; }
"$viraraz" publish > publish.log || { cat publish.log event.log >&2; exit 1; }

page=$www/sample.htm
[ -f "$page" ] || { echo "no sample.htm published" >&2; exit 1; }
if grep -q '<!--outtemp-->' "$page"; then echo "sample.htm still holds its markers" >&2; exit 1; fi
grep -Eq 'Outside temperature</th><td>-?[0-9]+\.[0-9]<' "$page" ||
    { echo "sample.htm shows no outside temperature" >&2; exit 1; }
gifs=$(find "$www" -name '*.gif' | wc -l)
[ "$gifs" -ge 20 ] || { echo "only $gifs images published" >&2; exit 1; }

chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/chromium" --hide-scrollbars --window-size=1280,2400 \
    --screenshot="$out/sample.png" "file://$page" >/dev/null 2>&1
colours=$(identify -format '%k' "$out/sample.png")
[ "$colours" -gt 200 ] || { echo "the screenshot is nearly blank ($colours colours)" >&2; exit 1; }
echo "sample.htm with $gifs images; screenshot $out/sample.png ($colours colours)"
