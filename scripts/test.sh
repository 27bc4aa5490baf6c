#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, builds the engine and its tests for
# Windows and runs them under Wine, runs every test once more in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs each fuzz harness for 30 seconds, then runs every test of the Linux build.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMITORAN_WERROR=ON
cmake --build build
bash scripts/check-format.sh
# The engine and its tests once more, built for Windows and run under Wine (the Qt parts stay Linux-only).
bash scripts/test-windows.sh
bash scripts/test-sanitize.sh
bash scripts/fuzz.sh 30
ctest --test-dir build --output-on-failure -j2
