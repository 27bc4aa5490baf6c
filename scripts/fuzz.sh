#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang in build-fuzz/ and runs each from a fresh copy of its
# checked-in corpus (fuzz/corpus/<name>/) for the given seconds (default 30):
#   bash scripts/fuzz.sh               # every harness for 30 s (CI's smoke run)
#   bash scripts/fuzz.sh 600 month     # one harness for ten minutes
# A broken invariant or a sanitizer finding ends the run with status 1 and its report; the input that did it
# is kept as build-fuzz/findings/<name>-crash-<hash>.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
harnesses=("$@")
((${#harnesses[@]})) || harnesses=(time_text profile month ledger holidays)

CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMITORAN_ENGINE_ONLY=ON \
    -DMITORAN_BUILD_TESTS=OFF -DMITORAN_BUILD_BENCH=OFF -DMITORAN_FUZZ=ON
cmake --build build-fuzz
mkdir -p build-fuzz/findings
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:print_stacktrace=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
for name in "${harnesses[@]}"; do
    work=$(mktemp -d)
    cp fuzz/corpus/"$name"/* "$work"/
    status=0
    build-fuzz/fuzz/fuzz_"$name" -max_total_time="$seconds" -artifact_prefix=build-fuzz/findings/"$name"- \
        "$work" 2>"$work.log" || status=$?
    if ((status)); then
        tail -n 60 "$work.log"
        rm -rf "$work" "$work.log"
        echo "fuzz_$name: finding (status $status), input kept in build-fuzz/findings/"
        exit 1
    fi
    echo "fuzz_$name: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$work.log"), no finding"
    rm -rf "$work" "$work.log"
done
