# What the Windows scripts share; each sources this file from the repository's root.

# Installs the named Debian packages that are missing.
windows_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}"
    local sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Sets $program_options to the CMake options of a release build of the whole program for Windows against the
# Qt for Windows in $1, whose tools (moc, rcc, uic) are the host's Qt of the same version. Optimised with -O2:
# at -O3 MinGW's GCC 12 reports a false -Wrestrict inside std::string.
windows_program_options() {
    local host_cmake=/usr/lib/x86_64-linux-gnu/cmake
    program_options=(-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/MinGW-w64.cmake" -DCMAKE_BUILD_TYPE=Release
        "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DCMAKE_PREFIX_PATH="$1" -DCMAKE_FIND_ROOT_PATH="$1"
        -DQT_HOST_PATH=/usr -DQt6HostInfo_DIR="$host_cmake/Qt6HostInfo" -DQT_HOST_PATH_CMAKE_DIR="$host_cmake")
}

# Builds mitoran.exe, mitoran-cli.exe and kestrow.exe, without the tests, in the folder $1 against the Qt for
# Windows in its cache (built first when missing).
windows_build_programs() {
    windows_packages qt6-translations-l10n
    windows_program_options "$(bash scripts/build-qt-windows.sh)"
    cmake -S . -B "$1" -G Ninja "${program_options[@]}" -DMITORAN_BUILD_TESTS=OFF -DMITORAN_BUILD_BENCH=OFF >/dev/null
    cmake --build "$1" --target mitoran mitoran-cli kestrow
}

# Wine with the prefix $1 (made on first use and kept), no debug output and no offer to install Mono or Gecko;
# one server for every program until windows_stop_wine. Wine's own services start here, before the programs
# and away from their output: they would hold a caller's pipes open to the end. Sets $wine.
windows_start_wine() {
    export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINESERVER=/usr/lib/wine/wineserver64
    wine=/usr/lib/wine/wine64
    [[ -f $WINEPREFIX/system.reg ]] || echo "Creating the Wine prefix $WINEPREFIX"
    "$WINESERVER" --persistent </dev/null >/dev/null 2>&1 || true
    "$wine" wineboot --init </dev/null >/dev/null 2>&1 || true
}

# Ends every program of the Wine prefix and its server.
windows_stop_wine() {
    "$WINESERVER" --kill >/dev/null 2>&1 || true
}
