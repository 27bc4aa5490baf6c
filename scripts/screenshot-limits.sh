#!/usr/bin/env bash
# Starts the desktop program under a virtual X display on the sample months of an agreement year, opens 36協定
# from the 表示 menu and writes docs/limits.png.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/picture-common.sh
picture_tools
picture_build mitoran mitoran-cli mitoran_limits_chart

picture_home
cli=$build/src/app/mitoran-cli
"$cli" show "$(date +%Y)" 1 >/dev/null
mkdir -p -m 700 "$MITORAN_DATA_DIR"

# The months from five before this agreement year's start (April) to today: every weekday from 8:30 to a leaving
# time that gives each month its own overtime, one Sunday worked as a statutory holiday; mitoran-cli then
# recalculates each month as the window would.
months=$(python3 - "$MITORAN_DATA_DIR" <<'PY'
import datetime, sys
folder = sys.argv[1]
today = datetime.date.today()
start_year = today.year if today.month >= 4 else today.year - 1
weekdays = "月火水木金土日"
# Minutes after 17:30 each weekday, by month of the year: a busy spring and autumn, a quiet summer.
extra = {1: 27, 2: 84, 3: 107, 4: 50, 5: 73, 6: 90, 7: 39, 8: 10, 9: 79, 10: 96, 11: 56, 12: 64}
index = start_year * 12 + 3 - 5
while index <= today.year * 12 + today.month - 1:
    year, month = divmod(index, 12)
    month += 1
    lines = ["[System]", "[DayData]"]
    day = datetime.date(year, month, 1)
    while day.month == month:
        mark, arrival, leaving, houtei = "  ", "", "", ""
        if day.weekday() >= 5:
            mark = "○"
        elif day <= today:
            end = 17 * 60 + 30 + extra[month] + (day.day % 3 - 1) * 10
            arrival, leaving = " 8:30", f"{end // 60:2d}:{end % 60:02d}"
        if day.weekday() == 6 and 8 <= day.day <= 14 and month in (3, 6) and day <= today:
            arrival, leaving, houtei = " 9:00", "15:00", "*"
        lines.append(f"{day.day:2d}={month:2d}/{day.day:2d},{weekdays[day.weekday()]},{mark},{arrival},{leaving},"
                     f",,,,,,,,{houtei},")
        day += datetime.timedelta(days=1)
    lines.insert(1, f"LastDay={(day - datetime.timedelta(days=1)).day}")
    open(f"{folder}/{year:04d}{month:02d}.dat", "w", encoding="cp932", newline="").write("\r\n".join(lines) + "\r\n")
    print(year, month)
    index += 1
PY
)
while read -r year month; do
    "$cli" recalc "$year" "$month" >/dev/null
done <<<"$months"

picture_of_view_window l 36協定 docs/limits.png
