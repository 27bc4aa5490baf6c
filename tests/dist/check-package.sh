#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it as a person installing it would: the menu
# entry and the software-centre file validate, every installed file is in the package, and the programs
# start from an unpacked copy. Usage: check-package.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

desktop-file-validate "$source_dir/dist/jp.quorvan.Mitoran.desktop"
appstreamcli validate --no-net "$source_dir/dist/jp.quorvan.Mitoran.metainfo.xml"

(cd "$work" && cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/out" >/dev/null)
package=$(ls "$work"/out/mitoran_*.deb)
dpkg-deb -c "$package" | awk '{print $NF}' | sed 's|^\./|/|' > "$work/files"
for file in /usr/bin/mitoran /usr/bin/mitoran-cli /usr/bin/kestrow /usr/share/applications/jp.quorvan.Mitoran.desktop \
    /usr/share/metainfo/jp.quorvan.Mitoran.metainfo.xml /usr/share/man/man1/mitoran-cli.1.gz \
    /usr/share/icons/hicolor/scalable/apps/jp.quorvan.Mitoran.svg; do
    grep -qx "$file" "$work/files" || { echo "missing from the package: $file"; exit 1; }
done
for size in 16 32 48 64 128 256; do
    file=/usr/share/icons/hicolor/${size}x${size}/apps/jp.quorvan.Mitoran.png
    grep -qx "$file" "$work/files" || { echo "missing from the package: $file"; exit 1; }
done
# The chart module of the 36協定 window, which the window loads from the library folder beside the programs'.
grep -Eq "^/usr/lib/([^/]+/)?mitoran/mitoran_limits_chart\.so$" "$work/files" ||
    { echo "missing from the package: the chart module mitoran_limits_chart.so"; exit 1; }
depends=$(dpkg-deb -f "$package" Depends)
for needed in libqt6widgets6 libqt6charts6 qt6-qpa-plugins fonts-ipafont-gothic qt6-translations-l10n; do
    [[ $depends == *"$needed"* ]] || { echo "the package does not depend on $needed: $depends"; exit 1; }
done

dpkg -x "$package" "$work/root"
"$work/root/usr/bin/mitoran-cli" --help | grep -q "使い方"
# The desktop program keeps running with its window open: still running after a few seconds is a start. In a
# network namespace of its own it cannot meet another running copy, which would make it end at once.
export MITORAN_DATA_DIR="$work/data" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen
alone=()
unshare -rn true 2>/dev/null && alone=(unshare -rn)
status=0
"${alone[@]}" timeout 5 "$work/root/usr/bin/mitoran" || status=$?
[[ $status -eq 124 ]] || { echo "mitoran ended with $status instead of running"; exit 1; }
echo "package $(basename "$package"): $(wc -l < "$work/files") entries, programs start"
