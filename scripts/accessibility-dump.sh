#!/usr/bin/env bash
# Opens every window of the desktop program with the keyboard alone under a virtual X display and lists each as a
# screen reader meets it on the accessibility bus (AT-SPI): controls, those without a name, shared names and the
# focused object. Screenshots of each step go to $1 (default: build/accessibility). MITORAN_DISPLAY picks the
# display number (otherwise a free one).
#   bash scripts/accessibility-dump.sh [picture-folder] [program]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/picture-common.sh
command -v /usr/libexec/at-spi-bus-launcher >/dev/null || picture_tools at-spi2-core
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || picture_tools python3-pyatspi dbus-bin
picture_tools
picture_home
pictures=$(realpath -m "${1:-build/accessibility}")
program=${2:-}
if [[ -z $program ]]; then
    picture_build mitoran
    program=$build/src/app/mitoran
fi
mkdir -p "$pictures"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

display=(-a)
[[ -n ${MITORAN_DISPLAY:-} ]] && display=(-n "$MITORAN_DISPLAY")
xvfb-run "${display[@]}" -s "-screen 0 1024x768x24" dbus-run-session -- bash -c '
    set -u
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    openbox >/dev/null 2>&1 &
    sleep 1
    "$1" >/dev/null 2>&1 &
    program=$!
    sleep 5
    dump() { sleep 2; /usr/bin/python3 scripts/atspi_dump.py "$1"; import -window root "$2/$1.png"; }
    keys() { for key in "$@"; do xdotool key "$key"; sleep 0.4; done; }
    xdotool windowactivate --sync "$(xdotool search --name "^ミトラン$" | head -1)"
    dump main "$2"
    keys alt+s j;       dump jump "$2";     keys alt+F4
    keys alt+v k;       dump pay "$2";      keys alt+F4
    keys alt+v s;       dump period "$2";   keys alt+F4
    keys alt+v t;       dump span "$2";     keys alt+F4
    keys alt+o e;       dump settings "$2"
    keys Tab Tab Right; dump settings-2 "$2"
    keys Right;         dump settings-3 "$2"
    keys Right;         dump settings-4 "$2"; keys alt+F4
    keys alt+v y;       dump leave "$2"
    keys alt+e d n;     dump leave-delete-count "$2"; keys alt+F4
    keys alt+e d d;     dump leave-delete-date "$2";  keys alt+F4 alt+F4
    keys alt+h h;       dump help "$2";     keys Escape
    dump help-closed "$2"
    kill "$program"
' _ "$program" "$pictures"
echo "Pictures in $pictures"
