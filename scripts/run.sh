#!/usr/bin/env bash
# Installs what is missing, builds the programs and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
if [[ -x build/src/app/mitoran ]]; then
    exec build/src/app/mitoran "$@"
fi
echo "The desktop program is not built yet; the engine and its tests are in build/."
