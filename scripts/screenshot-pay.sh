#!/usr/bin/env bash
# Starts the desktop program under a virtual X display on a sample month, opens 給与金額 from the 表示 menu and
# writes docs/pay.png.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${MITORAN_BUILD_DIR:-build}
[[ -f $build/build.ninja ]] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2 --target mitoran mitoran-cli

sample=$(mktemp -d)
trap 'rm -rf "$sample"' EXIT
export MITORAN_DATA_DIR=$sample/data XDG_CONFIG_HOME=$sample/config HOME=$sample LC_ALL=C.UTF-8
year=$(date +%Y)
month=$(date +%-m)
"$build/src/app/mitoran-cli" show "$year" "$month" >/dev/null
mkdir -p "$MITORAN_DATA_DIR"

# This month: weekdays worked with some overtime, one late night, a day of paid leave and one worked day off.
python3 - "$MITORAN_DATA_DIR" "$year" "$month" <<'PY'
import calendar, sys
folder, year, month = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
days = calendar.monthrange(year, month)[1]
names = "月火水木金土日"
lines = ["[System]", f"LastDay={days}", "[DayData]"]
for d in range(1, days + 1):
    weekday = calendar.weekday(year, month, d)
    mark, times = "  ", ",,"
    if weekday >= 5:
        mark = "○"
        if d <= 7:
            times = " 9:00,15:00,"
    elif d == 12:
        mark = "有"
    else:
        leave = ["17:00", "19:30", "18:45", "21:00", "23:15"][d % 5]
        times = f" 8:{d % 3 * 5:02d},{leave},"
    lines.append(f"{d:2d}={month:2d}/{d:2d},{names[weekday]},{mark},{times},,,,,,,,,,")
open(f"{folder}/{year:04d}{month:02d}.dat", "w", encoding="cp932", newline="").write("\r\n".join(lines) + "\r\n")
PY

mkdir -p docs
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    openbox >/dev/null 2>&1 &
    "$1/src/app/mitoran" &
    program=$!
    sleep 4
    xdotool windowactivate --sync "$(xdotool search --name "^ミトラン$" | head -1)"
    xdotool key alt+v
    sleep 0.5
    xdotool key k
    sleep 2
    import -window "$(xdotool search --name "^給与金額$" | head -1)" "$2"
    kill "$program"
' _ "$build" docs/pay.png
echo "Wrote docs/pay.png"
