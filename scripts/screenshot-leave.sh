#!/usr/bin/env bash
# Starts the desktop program under a virtual X display on a sample paid-leave ledger, opens the paid-leave
# window from the 表示 menu and writes docs/screenshot-leave.png.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/picture-common.sh
picture_tools
picture_build mitoran mitoran-cli

picture_home
"$build/src/app/mitoran-cli" recalc "$(date +%Y)" "$(date +%-m)" >/dev/null

# Two leave years (April start): grants, full and half days, a coloured memo.
python3 - "$MITORAN_DATA_DIR/Vacation.dat" <<'PY'
import sys
rows = [("2024/04/01", "増加", "20.0", "年次付与", ""), ("2024/05/02", "有給", "-1.0", "連休", ""),
        ("2024/08/13", "有給", "-1.0", "帰省", "$C06000"), ("2024/11/22", "午後", "-0.5", "通院", ""),
        ("2025/03/28", "有給", "-1.0", "", ""), ("2025/04/01", "増加", "20.0", "年次付与", ""),
        ("2025/04/18", "午前", "-0.5", "役所手続き", ""), ("2025/06/09", "減少", "-2.0", "時効", "")]
lines = ["[System]", "KuriZan=6.0", "[VacationData]"]
for i, (date, kind, days, memo, colour) in enumerate(rows, 1):
    lines.append(f"{i:3d}={date},,{kind},{days},,{memo},{colour},")
open(sys.argv[1], "w", encoding="cp932", newline="").write("\r\n".join(lines) + "\r\n")
PY

picture_of_view_window y 有給休暇 docs/screenshot-leave.png
