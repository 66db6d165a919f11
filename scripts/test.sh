#!/usr/bin/env bash
# Installs what the build needs, builds and runs the whole test suite.
# Usage: scripts/test.sh [preset]   (preset: default or asan)
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
# Compiler cache entries independent of where the clone lives, so a fresh
# clone reuses what an earlier build of the same sources made.
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true

scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset"
