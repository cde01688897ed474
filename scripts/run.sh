#!/usr/bin/env bash
# Builds the program and starts it on the bundled tables.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target vorlane vorlane-cli
exec build/bin/vorlane "$@"
