#!/usr/bin/env bash
# Screenshots of every dialog as the programs draw them, on a virtual X
# display (Xvfb) with Qt's own desktop style: the dialog gallery test saves
# each dialog it checks as NAME.png. Usage: scripts/screenshots.sh [DIR]
# (default build/default/screenshots/dialogs).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/default/screenshots/dialogs}")

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target gui_tests
mkdir -p "$out"
BV_SNAPSHOT_DIR=$out LC_ALL=C.UTF-8 xvfb-run -a -s "-screen 0 1280x1024x24" \
    build/default/tests/gui/gui_tests --gtest_filter='DialogGallery*'
echo "screenshots in $out"
