#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, builds the engine and its tests for
# Windows and runs them under Wine, then runs every test of the Linux build.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMITORAN_WERROR=ON
cmake --build build
bash scripts/check-format.sh
# The engine and its tests once more, built for Windows and run under Wine (the Qt parts stay Linux-only).
bash scripts/test-windows.sh
ctest --test-dir build --output-on-failure -j2
