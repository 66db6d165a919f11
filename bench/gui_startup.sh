#!/bin/bash
# Whole-program timings of the main program:
#   - start-up: from the start of hollit to its window shown and idle;
#   - resident memory once idle (VmRSS);
#   - CPU used while idling for a while (default one minute), as a share of one core;
# for the window (under Xvfb when there is no display) and for --headless.
# Targets: start-up under 1 s, under 60 MB resident, under 0.5 % of a core idle.
#
# Usage: bench/gui_startup.sh [BUILD_DIR] [IDLE_SECONDS]
#   BUILD_DIR     the CMake build directory holding src/gui/hollit (default: build)
#   IDLE_SECONDS  how long to measure the idle CPU use (default: 60)
set -euo pipefail

build_dir=${1:-build}
idle_seconds=${2:-60}
hollit=$(realpath "$build_dir/src/gui/hollit")
[ -x "$hollit" ] || { echo "no hollit in $build_dir/src/gui (build the target hollit)" >&2; exit 2; }

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    command -v xvfb-run >/dev/null || { echo "no display and no xvfb-run" >&2; exit 2; }
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build_dir" "$idle_seconds"
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-xcb}

clock_ticks=$(getconf CLK_TCK)
station=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    rm -rf "$station"
}
trap cleanup EXIT

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# Waits until the program's log says $1; at most 30 s.
wait_for() {
    local deadline=$(( $(now_ms) + 30000 ))
    until grep -q "$1" "$station/log"; do
        kill -0 "$pid" 2>/dev/null || { cat "$station/log" >&2; exit 1; }
        [ "$(now_ms)" -lt "$deadline" ] || { echo "timed out waiting for '$1'" >&2; exit 1; }
        sleep 0.005
    done
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"; }

verdict() { # value limit
    awk -v v="$1" -v l="$2" 'BEGIN { print (v < l) ? "within target" : "OVER TARGET" }'
}

measure() { # name ready-text args...
    local name=$1 ready=$2
    shift 2
    local start
    start=$(now_ms)
    "$hollit" "$@" --station-dir "$station" >"$station/log" 2>&1 &
    pid=$!
    wait_for "$ready"
    local startup_ms=$(( $(now_ms) - start ))
    sleep 3
    local rss
    rss=$(rss_kb)
    local before
    before=$(cpu_ticks)
    sleep "$idle_seconds"
    local used=$(( $(cpu_ticks) - before ))
    kill -TERM "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
    local rss_mb cpu_percent
    rss_mb=$(awk -v k="$rss" 'BEGIN { printf "%.1f", k / 1024 }')
    cpu_percent=$(awk -v t="$used" -v hz="$clock_ticks" -v s="$idle_seconds" \
        'BEGIN { printf "%.3f", 100 * t / (hz * s) }')
    printf '%-9s start-up %5d ms (%s)   resident %6s MB (%s)   idle CPU %6s %% of a core over %d s (%s)\n' \
        "$name" "$startup_ms" "$(verdict "$startup_ms" 1000)" "$rss_mb" "$(verdict "$rss_mb" 60)" \
        "$cpu_percent" "$idle_seconds" "$(verdict "$cpu_percent" 0.5)"
}

echo "hollit: $hollit ($QT_QPA_PLATFORM, display $DISPLAY${WAYLAND_DISPLAY:+ $WAYLAND_DISPLAY})"
measure window "window shown and idle" --report-startup
measure headless "running without a window" --headless
