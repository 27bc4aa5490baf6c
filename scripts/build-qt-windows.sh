#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (MinGW-w64, static libraries) from Debian's own Qt sources, into a cache
# folder outside the tree, and prints that folder's path as its last line: qtbase, which the program links,
# and on request qtcharts, for charts, into the same folder. The version is the host's qt6-base-dev: the cross
# build runs the host's moc, rcc and uic, which must be the same version. A module already in the cache is not
# built again, so a second run returns at once; a build cut short goes on where it stopped.
#
#   bash scripts/build-qt-windows.sh            # builds qtbase when missing, prints the prefix
#   bash scripts/build-qt-windows.sh qtcharts   # the same, and qtcharts
#   bash scripts/build-qt-windows.sh --check    # prints the prefix; fails when a module named is missing
#   MITORAN_QT_WINDOWS=/path bash scripts/...   # another cache folder
#
# The sources come through `apt-get source`; a deb-src entry for the main component of the system's
# Debian release is added only when apt has none.
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."

check=false
modules=(qtbase)
for argument in "$@"; do
    case $argument in
    --check) check=true ;;
    qtcharts) modules+=("$argument") ;;
    *)
        echo "usage: $0 [--check] [qtcharts]" >&2
        exit 2
        ;;
    esac
done

source scripts/windows-common.sh
windows_packages g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools dpkg-dev cmake ninja-build >&2
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version%%[+-]*}
prefix=$(realpath -m "${MITORAN_QT_WINDOWS:-$HOME/.cache/mitoran/qt-$upstream-mingw}")
done_mark() { echo "$prefix/.built-$1"; }

todo=()
for module in "${modules[@]}"; do
    [[ -f $(done_mark "$module") ]] || todo+=("$module")
done
if ((${#todo[@]} == 0)) || $check; then
    echo "$prefix"
    exit $((${#todo[@]} > 0))
fi

# A deb-src entry beside the deb entry of the release's main component, only when apt knows no sources.
add_source_entry() {
    local uri codename
    read -r uri codename < <(apt-get indextargets --format '$(REPO_URI) $(CODENAME)' \
        'Created-By: Packages' 'Component: main' | awk '$2 !~ /-/' | head -n 1)
    echo "Adding a deb-src entry for $uri $codename main" >&2
    "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/mitoran-deb-src.sources >/dev/null <<EOF
Types: deb-src
URIs: $uri
Suites: $codename
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    "${sudo_cmd[@]}" apt-get update -qq
}

work=$prefix.work
mkdir -p "$work"
# The project's toolchain, copied beside the prefix: Qt's installed toolchain file names the one it was
# configured with, and it must outlive the tree that ran this script.
toolchain=$prefix.toolchain.cmake
cp cmake/MinGW-w64.cmake "$toolchain"
host_cmake=/usr/lib/x86_64-linux-gnu/cmake

fetch_source() { # package version -> unpacked folder
    local package=$1 version=$2
    local folder
    folder=$(find "$work" -maxdepth 1 -type d -name "$package-${version%%-*}" | head -n 1)
    if [[ -z $folder ]]; then
        if ! (cd "$work" && apt-get source --print-uris "$package=$version" >/dev/null 2>&1); then
            add_source_entry
        fi
        if ! (cd "$work" && apt-get source -qq "$package=$version" >&2); then
            echo "The source of $package $version could not be fetched: the mirror does not hold it" >&2
            exit 1
        fi
        folder=$(find "$work" -maxdepth 1 -type d -name "$package-${version%%-*}" | head -n 1)
    fi
    [[ -n $folder ]] || { echo "The source of $package $version could not be fetched" >&2; exit 1; }
    echo "$folder"
}

build_qtbase() {
    local source build=$work/build-qtbase
    source=$(fetch_source qt6-base "$version")
    # A build cut short goes on where it stopped; otherwise it is configured afresh.
    if [[ ! -f $build/build.ninja ]]; then
        rm -rf "$build" && mkdir -p "$build"
        # tabletevent is off because Debian's source leaves out the Wintab header. What the programs never use
        # is left out to save build time: JPEG, TLS and TUIO touch. Direct2D stays: without it this version's
        # Windows platform plugin misses its DirectWrite font database at link time. FreeType stays: the
        # offscreen platform of the window tests draws text with it.
        (cd "$build" && "$source/configure" -prefix "$prefix" -release -static -xplatform win32-g++ \
            -qt-host-path /usr -nomake examples -nomake tests -no-dbus -no-icu -no-opengl \
            -no-feature-sql -no-feature-vulkan -no-feature-jpeg -no-feature-ssl -no-feature-tuiotouch \
            -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz \
            -qt-pcre -- -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DFEATURE_tabletevent=OFF \
            -DQt6HostInfo_DIR="$host_cmake/Qt6HostInfo" -DQT_HOST_PATH_CMAKE_DIR="$host_cmake") >&2
    fi
    cmake --build "$build" --parallel "$(nproc)" >&2
    cmake --install "$build" >&2
}

build_qtcharts() {
    local source build=$work/build-qtcharts
    source=$(fetch_source qt6-charts "$(apt-cache show --no-all-versions qt6-charts-dev 2>/dev/null |
        sed -n 's/^Version: //p' | head -n 1)")
    if [[ ! -f $build/build.ninja ]]; then
        "$prefix/bin/qt-cmake" -S "$source" -B "$build" -G Ninja -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
            -DQt6HostInfo_DIR="$host_cmake/Qt6HostInfo" -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" >&2
    fi
    cmake --build "$build" --parallel "$(nproc)" >&2
    cmake --install "$build" >&2
}

for module in "${todo[@]}"; do
    started=$SECONDS
    echo "Building $module $upstream for Windows into $prefix" >&2
    "build_$module"
    touch "$(done_mark "$module")"
    rm -rf "$work/build-$module"
    echo "$module built in $((SECONDS - started)) s" >&2
done
rm -rf "$work"
echo "$prefix"
