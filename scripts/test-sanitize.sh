#!/usr/bin/env bash
# Builds everything once more with AddressSanitizer and UndefinedBehaviorSanitizer (gcc, -fsanitize=address,
# undefined -fno-sanitize-recover=all) in build-sanitize/ and runs every test there, engine and windows. The
# first finding ends the program that made it, so ctest reports that test as failed with the sanitizer's
# report; leaks are checked when each program ends.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMITORAN_WERROR=ON -DMITORAN_SANITIZE=ON \
    -DMITORAN_BUILD_BENCH=OFF
cmake --build build-sanitize
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=1:print_stacktrace=1:detect_stack_use_after_return=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Third-party libraries' own process-long allocations, never ours.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
ctest --test-dir build-sanitize --output-on-failure -j2
