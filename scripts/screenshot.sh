#!/usr/bin/env bash
# Starts the desktop program under a virtual X display on a sample of the current month (paid leave,
# holidays, a late arrival, a hand-fixed overtime value, a coloured memo) and writes docs/screenshot.png, then
# opens 環境設定 and writes one picture of each of its pages (docs/settings-1.png … docs/settings-5.png).
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/picture-common.sh
picture_tools
picture_build mitoran mitoran-cli

picture_home
year=$(date +%Y)
month=$(date +%-m)

# The first run lays out the month from the calendar and writes the settings.
"$build/src/app/mitoran-cli" recalc "$year" "$month" >/dev/null

picture_sample_month "$MITORAN_DATA_DIR/$(printf '%04d%02d' "$year" "$month").dat"
python3 - "$XDG_CONFIG_HOME/Quorvan/Vuvedez.ini" <<'EOF'
import re, sys

settings_file = sys.argv[1]

def bgr(red, green, blue):
    return red | green << 8 | blue << 16

values = {"MokuhyoBasShow": 1, "YukyuMokuZanDisp": 1,
          "CellColorCheck1": 1, "CellColor1": bgr(255, 246, 200),
          "CellColorCheck6": 1, "CellColor6": bgr(226, 236, 255),
          "CellColorCheck7": 1, "CellColor7": bgr(255, 228, 228)}
text = open(settings_file, encoding="utf-8").read()
for name, value in values.items():
    text, count = re.subn(rf"(?m)^{name}=.*$", f"{name}={value}", text)
    if count == 0:
        text = text.replace("[System]\n", f"[System]\n{name}={value}\n", 1)
open(settings_file, "w", encoding="utf-8").write(text)
EOF

# Fill in the computed columns and the month's totals.
"$build/src/app/mitoran-cli" recalc "$year" "$month" >/dev/null

mkdir -p docs
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1/src/app/mitoran" &
    program=$!
    sleep 4
    import -window root -trim +repage "$2"
    main=$(xdotool search --name "^ミトラン" | head -n 1)
    xdotool windowfocus --sync "$main" key alt+o sleep 0.5 key e
    sleep 2
    dialog=$(xdotool search --name "^環境設定$" | head -n 1)
    # The page tabs, left to right.
    for page in 1 2 3 4 5; do
        xdotool mousemove --window "$dialog" $((page * 110 - 50)) 22 click 1
        sleep 1
        import -window "$dialog" "docs/settings-$page.png"
    done
    kill "$program"
' _ "$build" docs/screenshot.png
echo "Wrote docs/screenshot.png and docs/settings-1.png … docs/settings-5.png"
