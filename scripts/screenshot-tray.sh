#!/usr/bin/env bash
# Pictures of the notification area under a virtual X display with openbox: with a tray (trayer) the user menu
# 切り替え of `mitoran /M` and the tray icon's menu once the window is minimised (docs/user-menu.png,
# docs/tray-menu.png); without one, kestrow's own window (docs/kestrow-window.png).
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/picture-common.sh
picture_tools trayer
picture_build mitoran mitoran-cli kestrow

picture_home
# Three users besides the default one: a folder and settings of their own each.
for user in "" bob Alice 山田; do
    "$build/src/app/mitoran-cli" ${user:+--user "$user"} recalc "$(date +%Y)" "$(date +%-m)" >/dev/null
done

mkdir -p docs
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
    openbox &
    sleep 1
    trayer --edge top --align right --widthtype request --height 24 --SetDockType true &
    sleep 1
    "$1/src/app/mitoran" /M &
    program=$!
    main=
    for _ in $(seq 30); do
        main=$(xdotool search --name "^ミトラン" | head -n 1) && [[ -n $main ]] && break
        sleep 0.5
    done
    sleep 1
    xdotool windowfocus --sync "$main" key alt+c
    sleep 1
    import -window root -crop 480x200+180+85 +repage docs/user-menu.png
    xdotool key Escape windowminimize "$main"
    sleep 1
    xdotool mousemove 790 10 click 3
    sleep 1
    import -window root -crop 260x100+540+0 +repage docs/tray-menu.png
    xdotool key Escape
    kill "$program"
' _ "$build"

# Without a notification area (openbox alone) kestrow shows its window.
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
    openbox &
    sleep 1
    "$1/src/app/kestrow" /Idle 0 /M &
    watcher=$!
    sleep 2
    window=$(xdotool search --name "^ミトラン$" | head -n 1)
    import -window "$window" -frame docs/kestrow-window.png
    kill "$watcher"
' _ "$build"
echo "Wrote docs/user-menu.png, docs/tray-menu.png and docs/kestrow-window.png"
