#!/usr/bin/env bash
# Builds the engine (mitoran_core) and every engine test for 64-bit Windows with MinGW-w64, linked
# statically, and runs the tests under Wine; fails when any test fails.
#
# Linux-only, not built here: the Qt layers (platform, windows, programs) and their tests (the
# platform, window and program tests), because Qt for Windows cannot be installed on Debian. They run
# in the Linux build of scripts/test.sh.
#
# Everything goes under build-windows/ (or $MITORAN_WINDOWS_BUILD): GoogleTest built from Debian's
# sources, the engine build, and the Wine prefix, which is made once and kept for the next runs.
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath -m "${MITORAN_WINDOWS_BUILD:-build-windows}")
jobs=$(nproc)
started=$SECONDS

packages=(g++-mingw-w64-x86-64-posix wine64 googletest libcli11-dev cmake ninja-build)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

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

# The engine and its tests, with the same CMake files as the Linux build.
cmake -S . -B "$build/mitoran" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMITORAN_ENGINE_ONLY=ON -DMITORAN_WERROR=ON -DMITORAN_BUILD_BENCH=OFF -DGTest_DIR="$gtest_prefix/lib/cmake/GTest" \
    "${launcher[@]}" >/dev/null
cmake --build "$build/mitoran" -j "$jobs"
built=$SECONDS

# Wine: a prefix of its own under the build folder, no debug output, no offer to install Mono or Gecko.
export WINEPREFIX=$build/wine-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINESERVER=/usr/lib/wine/wineserver64
wine=/usr/lib/wine/wine64
# One server for every test program, stopped again at the end. Wine's own services start with the first
# program, before the tests and away from their output: they would hold ctest's pipes open to the end.
[[ -f $WINEPREFIX/system.reg ]] || echo "Creating the Wine prefix $WINEPREFIX"
"$WINESERVER" --persistent </dev/null >/dev/null 2>&1 || true
trap '"$WINESERVER" --kill || true' EXIT
"$wine" wineboot --init </dev/null >/dev/null 2>&1 || true

status=0
ctest --test-dir "$build/mitoran" --output-on-failure -j "$jobs" || status=$?

# GoogleTest's own counts, summed over the test programs.
log=$build/mitoran/Testing/Temporary/LastTest.log
count() { grep -ho "^\[  $1 *\] [0-9]* test" "$log" | awk '{ sum += $(NF - 1) } END { print sum + 0 }'; }
failed=$(grep -c "^\[  FAILED  \] [A-Za-z]" "$log" || true)
echo "Windows (Wine): $(count PASSED) engine tests passed, $(count SKIPPED) skipped, $failed failed;" \
    "build $((built - started)) s, tests $((SECONDS - built)) s"
exit "$status"
