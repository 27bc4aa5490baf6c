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
