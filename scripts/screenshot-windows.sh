#!/usr/bin/env bash
# Starts mitoran.exe, the Windows build, under Wine on a virtual X display (a Japanese Windows: code page 932)
# with the sample month of scripts/screenshot.sh and writes docs/screenshot-windows.png; then changes a day
# and closes the window, and writes the save question, whose buttons are Qt's own in Japanese, to
# docs/screenshot-windows-question.png. The settings go to the registry of a Wine prefix of the pictures' own
# (build-windows/wine-pictures). Builds Qt for Windows first when its cache is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/picture-common.sh
source scripts/windows-common.sh
picture_tools
windows_packages wine64
picture_build mitoran-cli
windows=$(realpath -m "${MITORAN_WINDOWS_BUILD:-build-windows}")
windows_build_programs "$windows/package"

# The sample month, laid out and computed by the Linux command line in the same data folder.
picture_home
year=$(date +%Y)
month=$(date +%-m)
"$build/src/app/mitoran-cli" recalc "$year" "$month" >/dev/null
picture_sample_month "$MITORAN_DATA_DIR/$(printf '%04d%02d' "$year" "$month").dat"
"$build/src/app/mitoran-cli" recalc "$year" "$month" >/dev/null

export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 MITORAN_DATA_DIR=Z:$MITORAN_DATA_DIR
windows_start_wine "$windows/wine-pictures"
trap 'windows_stop_wine; rm -rf "$sample"' EXIT
settings='HKCU\Software\Quorvan\Vuvedez'
"$wine" reg delete "$settings" /f >/dev/null 2>&1 || true
# The target bar, the paid-leave balance and three background colours (0x00BBGGRR), as in the Linux picture.
for value in MokuhyoBasShow=1 YukyuMokuZanDisp=1 CellColorCheck1=1 CellColor1=13170431 CellColorCheck6=1 \
    CellColor6=16772322 CellColorCheck7=1 CellColor7=15000831; do
    "$wine" reg add "$settings\\System" /v "${value%%=*}" /t REG_SZ /d "${value#*=}" /f >/dev/null
done

mkdir -p docs
# Wine names its windows for X in the locale's own code (question marks where the system lacks ja_JP.UTF-8),
# so the windows are found by the program's class: the newest shown one but the one named, a minute at most.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    find_window() {
        local window
        for _ in $(seq 60); do
            window=$(xdotool search --onlyvisible --class mitoran.exe | grep -vx "${1:-0}" | tail -n 1)
            [[ -n $window ]] && { echo "$window"; return; }
            sleep 1
        done
    }
    openbox >/dev/null 2>&1 &
    "$1" "$2/src/app/mitoran.exe" &
    main=$(find_window)
    [[ -n $main ]] || { echo "The main window did not show" >&2; exit 1; }
    sleep 3
    import -window "$main" "$3"
    # Today'"'"'s arrival, changed, then the window closed: the save question.
    xdotool windowactivate --sync "$main"
    xdotool type --delay 100 "7:45"
    xdotool key --delay 100 Return alt+F4
    sleep 3
    question=$(find_window "$main")
    [[ -n $question ]] || { echo "The save question did not show" >&2; exit 1; }
    import -window "$question" "$4"
    xdotool key Escape
' _ "$wine" "$windows/package" docs/screenshot-windows.png docs/screenshot-windows-question.png
echo "Wrote docs/screenshot-windows.png and docs/screenshot-windows-question.png"
