#!/usr/bin/env bash
# Draws the program icon again into src/gui/common/icons (16, 32, 48 and 64 pixels). The PNG files are kept
# in the tree, so the build never runs this.
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2046
g++ -std=c++20 -fPIC -O1 scripts/make-icons.cpp -o "$work/make-icons" $(pkg-config --cflags --libs Qt6Gui)
mkdir -p src/gui/common/icons
QT_QPA_PLATFORM=offscreen "$work/make-icons" src/gui/common/icons 16 32 48 64
