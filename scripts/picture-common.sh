# What the picture scripts share; each sources this file from the repository's root.

# Installs what is missing to draw pictures under a virtual X display: Xvfb, ImageMagick's import, xdotool,
# openbox, the Japanese font, and any further packages named.
picture_tools() {
    local needed=("$@")
    command -v xvfb-run >/dev/null || needed+=(xvfb xauth)
    command -v import >/dev/null || needed+=(imagemagick)
    command -v xdotool >/dev/null || needed+=(xdotool)
    command -v openbox >/dev/null || needed+=(openbox)
    fc-list | grep -q IPAGothic || needed+=(fonts-ipafont-gothic)
    ((${#needed[@]})) || return 0
    local sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${needed[@]}"
}

# Builds the named targets in $build (MITORAN_BUILD_DIR, or build), configuring it first if needed.
picture_build() {
    build=${MITORAN_BUILD_DIR:-build}
    [[ -f $build/build.ninja ]] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$build" -j2 --target "$@"
}

# A throwaway home in $sample with its own data folder and settings, removed when the script ends.
picture_home() {
    sample=$(mktemp -d)
    trap 'rm -rf "$sample"' EXIT
    chmod 700 "$sample"
    export MITORAN_DATA_DIR=$sample/data XDG_CONFIG_HOME=$sample/config XDG_RUNTIME_DIR=$sample HOME=$sample \
        LC_ALL=C.UTF-8
}

# Fills the month file $1, as the first run laid it out, with a sample month: working days from 8:00 with
# varied leaving times, a late arrival, a day of paid leave, an overtime value fixed by hand and two memos, one
# in its own colour. Days off keep their mark and holiday name.
picture_sample_month() {
    python3 - "$1" <<'EOF'
import sys

month_file = sys.argv[1]
lines = open(month_file, encoding="cp932", newline="").read().split("\r\n")
leaving = ["18:30", "19:45", "17:30", "20:15", "21:00", "18:00", "19:10"]
worked = 0
for i, line in enumerate(lines):
    key, sep, record = line.partition("=")
    if not sep or not key.strip().isdigit():
        continue
    fields = record.split(",")
    if fields[2].strip():
        continue
    worked += 1
    fields[3], fields[4] = " 8:00", leaving[worked % len(leaving)]
    if worked == 3:
        fields[3] = " 9:10"  # a late arrival
    if worked == 5:
        fields[2], fields[3], fields[4], fields[7] = "有", "", "", "有給休暇"
    if worked == 7:
        fields[5], fields[8] = " 3:00", "*"  # overtime fixed by hand
    if worked == 9:
        fields[7], fields[12] = "客先打合せ", "$C06000"  # a memo in its own colour
    if worked == 11:
        fields[7] = "月次報告"
    lines[i] = key + "=" + ",".join(fields)
open(month_file, "w", encoding="cp932", newline="").write("\r\n".join(lines))
EOF
}

# Starts the desktop program with openbox under a virtual X display, presses the 表示 menu's access key $1 and
# writes the window titled $2 to the picture $3.
picture_of_view_window() {
    mkdir -p "$(dirname "$3")"
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        openbox >/dev/null 2>&1 &
        "$1/src/app/mitoran" &
        program=$!
        sleep 4
        xdotool windowactivate --sync "$(xdotool search --name "^ミトラン$" | head -1)"
        xdotool key alt+v
        sleep 0.5
        xdotool key "$2"
        sleep 2
        import -window "$(xdotool search --name "^$3$" | tail -1)" "$4"
        kill "$program"
    ' _ "$build" "$1" "$2" "$3"
    echo "Wrote $3"
}
