#!/usr/bin/env bash
# Starts the desktop program under a virtual X display on two years of sample months, opens 期間集計 from the
# 表示 menu and writes docs/period-totals.png.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/picture-common.sh
picture_tools
picture_build mitoran mitoran-cli

picture_home
year=$(date +%Y)
"$build/src/app/mitoran-cli" show "$year" 1 >/dev/null
mkdir -p "$MITORAN_DATA_DIR"

# Months of the last two years: days worked, overtime and a few days of leave; one short month.
python3 - "$MITORAN_DATA_DIR" "$year" <<'PY'
import sys
folder, year = sys.argv[1], int(sys.argv[2])
for y in (year - 1, year):
    for m in range(1, 13):
        k = (y * 12 + m) % 7
        syukin = 8.0 if (y, m) == (year - 1, 8) else 18.0 + k % 4
        zangyo = 10 + (k * 5) % 23
        shinya = k % 3
        lines = ["[System]", "LastDay=31", f"SyukinDay={syukin:.1f}", f"KyujituDay={k % 2:.1f}",
                 f"ZangyoTime={zangyo}:{(k * 10) % 60:02d}", f"ShinyaTime={shinya}:30",
                 f"KinmuTime={int(syukin * 8) + zangyo}:00", "[DayData]"]
        marks = {3: "有", 10: "前" if k % 2 else "代", 17: "欠" if k == 4 else "  "}
        for d in range(1, 32):
            lines.append(f"{d:2d}={m:2d}/{d:2d},月,{marks.get(d, '  ')},,,,,,,,,,,,")
        open(f"{folder}/{y:04d}{m:02d}.dat", "w", encoding="cp932", newline="").write("\r\n".join(lines) + "\r\n")
PY

picture_of_view_window s 期間集計 docs/period-totals.png
