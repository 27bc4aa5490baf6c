#!/usr/bin/env bash
# Writes a sample month as PDF with mitoran-cli, in both print forms (shaded, plain ruled lines), and renders the
# first pages to docs/print-month-shaded.png and docs/print-month-plain.png (poppler's pdftoppm, 60 dpi).
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/picture-common.sh
picture_build mitoran-cli
cli=$build/src/app/mitoran-cli

picture_home

# A month of arrivals and leavings (the first stamp also writes the first-run settings), then a few memos.
for day in 04 05 06 07 08 11 12 13 14 15 18 19 21 22 25 26 27 28 29; do
    "$cli" stamp in --at "2024-03-$day 08:$((10#$day % 5))5" >/dev/null
    "$cli" stamp out --at "2024-03-$day $((18 + 10#$day % 4)):$((10#$day % 6))0" >/dev/null
done
python3 - "$MITORAN_DATA_DIR/202403.dat" <<'PY'
import re, sys
path = sys.argv[1]
text = open(path, encoding="cp932", newline="").read()
memos = {5: "定例会議の資料作成と週次報告の取りまとめ", 12: "出張（大阪）", 20: "春分の日", 26: "月末締め処理"}
def put(match):
    day, fields = int(match.group(1)), match.group(2).split(",")
    if day in memos:
        fields[7] = memos[day]
    return f"{match.group(1)}={','.join(fields)}"
text = re.sub(r"^( ?\d+)=(.*)$", put, text, flags=re.M)
open(path, "w", encoding="cp932", newline="").write(text)
PY

settings=$XDG_CONFIG_HOME/Quorvan/Vuvedez.ini
print_settings='PrintName=1\nPrintPage=1\nPrintDate=1\nPrintGary=1\nPrintMemo=12\nNameTitle=営業部 第二課  氏名：山田 太郎\n'
mkdir -p docs
for form in 0 1; do
    name=$([[ $form == 0 ]] && echo shaded || echo plain)
    python3 - "$settings" "PrintForm=$form\n$print_settings" <<'PY'
import sys
path, values = sys.argv[1], sys.argv[2].replace("\\n", "\n")
lines = [l for l in open(path, encoding="utf-8").read().splitlines()
         if l.split("=")[0] not in {v.split("=")[0] for v in values.splitlines()}]
at = lines.index("[System]") + 1
open(path, "w", encoding="utf-8").write("\n".join(lines[:at] + values.splitlines() + lines[at:]) + "\n")
PY
    "$cli" recalc 2024 3 >/dev/null
    "$cli" pdf 2024 3 "$sample/$name.pdf"
    pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$sample/$name.pdf" "docs/print-month-$name"
done
echo "docs/print-month-shaded.png docs/print-month-plain.png"
