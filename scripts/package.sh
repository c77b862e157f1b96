#!/usr/bin/env bash
# Builds the Debian package build/ampora_<version>_<arch>.deb from the build in build/.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build
(cd build && cpack -G DEB > cpack.log) || { cat build/cpack.log >&2; exit 1; }
ls build/ampora_*.deb
