#!/usr/bin/env bash
# Builds the release programs (without -Werror: GCC 12 at -O3 warns falsely
# about std::string inside the standard headers) and the Debian package brisvane-viraraz_*.deb
# into build/package. Install it with: sudo apt-get install ./build/package/*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBV_WERROR=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build build/package --target hollit hollit1 brisvane-viraraz setup viraraz
(cd build/package && cpack -G DEB >/dev/null)
ls build/package/*.deb
