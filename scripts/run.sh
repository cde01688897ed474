#!/usr/bin/env bash
# Builds the program (its tools, helper and manual pages with it, so that
# "cmake --install build" works next) and starts it on the bundled tables.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLANE_BUILD_TESTS=OFF >/dev/null
cmake --build build
exec build/bin/vorlane "$@"
