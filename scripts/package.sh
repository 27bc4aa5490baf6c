#!/usr/bin/env bash
# Builds the Debian package (build-package/mitoran_<version>_<arch>.deb) from a release build.
# Install it with: sudo apt install ./build-package/mitoran_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DMITORAN_BUILD_TESTS=OFF -DMITORAN_BUILD_BENCH=OFF
cmake --build build-package
(cd build-package && cpack -G DEB)
ls build-package/mitoran_*.deb
