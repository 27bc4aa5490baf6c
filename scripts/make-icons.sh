#!/usr/bin/env bash
# Draws the program icon again: into src/gui/common/icons the sizes the window uses (16 to 64 pixels) and the two
# notification-area icons, into dist/icons the larger ones and the scalable one the desktop's menus use, into
# dist/windows the icon file of the Windows programs. The files are kept in the tree,
# so the build never runs this (it needs qt6-svg-dev).
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2046
g++ -std=c++20 -fPIC -O1 scripts/make-icons.cpp -o "$work/make-icons" $(pkg-config --cflags --libs Qt6Gui Qt6Svg)
mkdir -p src/gui/common/icons dist/icons dist/windows
QT_QPA_PLATFORM=offscreen "$work/make-icons" src/gui/common/icons 16 32 48 64
QT_QPA_PLATFORM=offscreen "$work/make-icons" src/gui/common/icons tray 16 32
QT_QPA_PLATFORM=offscreen "$work/make-icons" dist/icons 128 256 svg
QT_QPA_PLATFORM=offscreen "$work/make-icons" dist/windows ico 16 24 32 48 256
