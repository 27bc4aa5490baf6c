#!/usr/bin/env bash
# Starts the desktop program under a virtual X display on a sample month, opens 給与金額 from the 表示 menu and
# writes docs/pay.png.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/picture-common.sh
picture_tools
picture_build mitoran mitoran-cli

picture_home
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

picture_of_view_window k 給与金額 docs/pay.png
