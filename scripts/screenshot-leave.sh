#!/usr/bin/env bash
# Starts the desktop program under a virtual X display on a sample paid-leave ledger, opens the paid-leave
# window from the 表示 menu and writes docs/screenshot-leave.png.
set -euo pipefail
cd "$(dirname "$0")/.."

needed=()
command -v xvfb-run >/dev/null || needed+=(xvfb xauth)
command -v import >/dev/null || needed+=(imagemagick)
command -v xdotool >/dev/null || needed+=(xdotool)
command -v openbox >/dev/null || needed+=(openbox)
fc-list | grep -q IPAGothic || needed+=(fonts-ipafont-gothic)
if ((${#needed[@]})); then
    sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${needed[@]}"
fi

build=${MITORAN_BUILD_DIR:-build}
[[ -f $build/build.ninja ]] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target mitoran mitoran-cli

sample=$(mktemp -d)
trap 'rm -rf "$sample"' EXIT
export MITORAN_DATA_DIR=$sample/data XDG_CONFIG_HOME=$sample/config HOME=$sample LC_ALL=C.UTF-8
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

mkdir -p docs
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    openbox & sleep 1
    "$1/src/app/mitoran" &
    program=$!
    sleep 4
    xdotool key alt+v y
    sleep 2
    import -window "$(xdotool search --name 有給休暇 | tail -1)" "$2"
    kill "$program"
' _ "$build" docs/screenshot-leave.png
echo "Wrote docs/screenshot-leave.png"
