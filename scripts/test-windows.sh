#!/usr/bin/env bash
# Builds the program for 64-bit Windows with MinGW-w64, linked statically, and runs its tests under Wine; fails
# when any test fails.
#
# With Qt for Windows in its cache (scripts/build-qt-windows.sh): the whole program (mitoran.exe,
# mitoran-cli.exe, kestrow.exe) and every test of the Linux build but the Linux-only ones (the X11 run of the
# cell editor, the Debian package): the engine tests, the settings store in the registry, the window tests on
# Qt's offscreen platform, and the tests that start the programs (one instance, hand-over, command line).
# Without the cache: the engine and its tests only, and the summary says why. The Qt build does not fit in a
# CI run (49 minutes of processor time; 141 minutes on two busy cores), so this script never starts it unless
# MITORAN_BUILD_QT=1 asks.
#
# Everything else goes under build-windows/ (or $MITORAN_WINDOWS_BUILD): GoogleTest built from Debian's
# sources, the build, and the Wine prefix, which is made once and kept for the next runs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows-common.sh

build=$(realpath -m "${MITORAN_WINDOWS_BUILD:-build-windows}")
jobs=$(nproc)
started=$SECONDS
windows_packages g++-mingw-w64-x86-64-posix wine64 googletest libcli11-dev cmake ninja-build qt6-base-dev \
    qt6-translations-l10n fonts-ipafont-gothic

# Qt for Windows: the whole program when the cache holds it.
if ! qt=$(bash scripts/build-qt-windows.sh --check) && [[ ${MITORAN_BUILD_QT:-} == 1 ]]; then
    qt=$(bash scripts/build-qt-windows.sh)
fi
qt_seconds=$((SECONDS - started))
if bash scripts/build-qt-windows.sh --check >/dev/null; then
    stage=program
    stage_note="the whole program, as Qt for Windows is in $qt"
    bash scripts/build-qt-windows.sh --check qtcharts >/dev/null ||
        stage_note+=" (without Qt Charts: the 36協定 window has no chart; build-qt-windows.sh qtcharts adds it)"
else
    stage=engine
    stage_note="the engine only, as Qt for Windows is not in $qt (bash scripts/build-qt-windows.sh builds it)"
fi
echo "Windows build: $stage_note"

toolchain=$PWD/cmake/MinGW-w64.cmake
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

# GoogleTest for Windows, from the sources Debian ships; built once.
gtest_prefix=$build/googletest-install
if [[ ! -f $gtest_prefix/lib/cmake/GTest/GTestConfig.cmake ]]; then
    cmake -S /usr/src/googletest -B "$build/googletest" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON -DCMAKE_INSTALL_PREFIX="$gtest_prefix" \
        "${launcher[@]}" >/dev/null
    cmake --build "$build/googletest" -j "$jobs"
    cmake --install "$build/googletest" >/dev/null
fi

# The same CMake files as the Linux build.
options=(-DMITORAN_WERROR=ON -DMITORAN_BUILD_BENCH=OFF -DGTest_DIR="$gtest_prefix/lib/cmake/GTest")
if [[ $stage == program ]]; then
    windows_program_options "$qt"
    options+=("${program_options[@]}")
else
    options+=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMITORAN_ENGINE_ONLY=ON)
fi
tree=$build/$stage
cmake -S . -B "$tree" -G Ninja "${options[@]}" "${launcher[@]}" >/dev/null
cmake --build "$tree" -j "$jobs"
built=$SECONDS

# No desktop: the window tests draw offscreen, and no test opens a window on a display.
unset DISPLAY WAYLAND_DISPLAY
windows_start_wine "$build/wine-prefix"
trap windows_stop_wine EXIT
status=0
ctest --test-dir "$tree" --output-on-failure -j "$jobs" 2>&1 | tee "$tree/ctest.log" || status=$?

# The counts of GoogleTest and QtTest, summed over the test programs, and every skipped case with its reason.
log=$tree/Testing/Temporary/LastTest.log
sum() { grep -hoE "$1" "$log" | grep -oE '[0-9]+' | awk '{ sum += $1 } END { print sum + 0 }'; }
echo "Windows (Wine), $stage_note:"
echo "  GoogleTest: $(sum '^\[  PASSED  \] [0-9]+') passed, $(sum '^\[  SKIPPED \] [0-9]+') skipped," \
    "$(grep -c '^\[  FAILED  \] [A-Za-z]' "$log" || true) failed"
if [[ $stage == program ]]; then
    echo "  QtTest: $(sum '^Totals: [0-9]+ passed') passed, $(sum ', [0-9]+ skipped') skipped," \
        "$(sum ', [0-9]+ failed') failed"
fi
awk '/^\[ RUN      \] / { name = $4 }
     /: Skipped$/ { getline reason; print "  skipped " name ": " reason }
     /^SKIP   : / { sub(/^SKIP   : /, ""); print "  skipped " $0 }' "$log"
echo "  $(grep -E 'tests passed, [0-9]+ tests? failed' "$tree/ctest.log" | tail -n 1) (test programs)"
echo "  Qt for Windows ${qt_seconds} s, build $((built - started - qt_seconds)) s, tests $((SECONDS - built)) s"
exit "$status"
