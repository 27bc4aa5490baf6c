#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, and runs every test; then builds the
# engine and its tests for Windows and runs them under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMITORAN_WERROR=ON
cmake --build build
bash scripts/check-format.sh
ctest --test-dir build --output-on-failure -j2
# The engine and its tests once more, built for Windows and run under Wine (the Qt parts stay Linux-only).
bash scripts/test-windows.sh
