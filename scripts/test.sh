#!/usr/bin/env bash
# Builds everything and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build test
build_dir=${VORLANE_BUILD_DIR:-build-test}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug ${VORLANE_CMAKE_ARGS:-}
cmake --build "$build_dir"
cd "$build_dir"
ctest --output-on-failure -j2 ${VORLANE_CTEST_ARGS:-}
