#!/usr/bin/env bash
# Makes the Windows package build-windows/mitoran-<version>-windows-x64.zip: mitoran.exe, mitoran-cli.exe and
# kestrow.exe, linked statically against the cached Qt for Windows (no DLLs to ship), stripped, with the short
# README in Japanese (dist/windows/README.txt, written out with a byte-order mark and CR LF for Notepad).
# Builds Qt for Windows first when its cache is missing (scripts/build-qt-windows.sh,
# 49 minutes of processor time).
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/windows-common.sh

build=$(realpath -m "${MITORAN_WINDOWS_BUILD:-build-windows}")
windows_build_programs "$build/package"

version=$(sed -n 's/^project(mitoran VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=mitoran-$version-windows-x64
staging=$build/package/$name
rm -rf "$staging" && mkdir -p "$staging"
for program in mitoran mitoran-cli kestrow; do
    x86_64-w64-mingw32-strip -o "$staging/$program.exe" "$build/package/src/app/$program.exe"
done
printf '\xef\xbb\xbf' >"$staging/README.txt"
sed 's/$/\r/' dist/windows/README.txt >>"$staging/README.txt"

# Only the programs may need a DLL the system lacks: anything but Windows' own would be missing on the user's machine.
for program in "$staging"/*.exe; do
    x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\tDLL Name: //p'
done | sort -u >"$build/package/dlls.txt"
if grep -viE '^((kernel32|user32|gdi32|shell32|shcore|ole32|oleaut32|advapi32|comdlg32|ws2_32|imm32|winmm|uxtheme|dwmapi|version|netapi32|userenv|shlwapi|setupapi|mpr|authz|uiautomationcore|d3d9|d3d11|dxgi|dwrite|wtsapi32|iphlpapi|dnsapi|crypt32|bcrypt|secur32|msvcrt|api-ms-win-[a-z0-9-]*)\.dll|winspool\.drv)$' \
    "$build/package/dlls.txt"; then
    echo "The programs need DLLs that Windows does not ship (above)" >&2
    exit 1
fi

rm -f "$build/$name.zip"
(cd "$build/package" && cmake -E tar cf "$build/$name.zip" --format=zip "$name")
ls -l "$build/$name.zip"
