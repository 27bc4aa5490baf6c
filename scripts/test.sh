#!/usr/bin/env bash
# The test command. Alone it installs what is missing, builds everything with warnings as errors, checks the
# format and runs every test of the Linux build. With --all (what CI runs) it also builds the engine and its
# tests for Windows and runs them under Wine (the whole program and its tests when Qt for Windows is cached),
# runs every test once more in a build with AddressSanitizer and UndefinedBehaviorSanitizer and runs each fuzz
# harness for 30 seconds, before the tests of the Linux build.
set -euo pipefail
cd "$(dirname "$0")/.."

all=false
case "$*" in
"") ;;
--all) all=true ;;
*)
    echo "usage: bash scripts/test.sh [--all]" >&2
    exit 2
    ;;
esac

bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMITORAN_WERROR=ON
cmake --build build
bash scripts/check-format.sh
if $all; then
    # The engine and its tests once more, built for Windows and run under Wine; the whole program and its window tests
    # too when Qt for Windows is in its cache, which CI never builds (it takes longer than a CI run).
    bash scripts/test-windows.sh
    bash scripts/test-sanitize.sh
    bash scripts/fuzz.sh 30
fi
ctest --test-dir build --output-on-failure -j2
