#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build test
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORLANE_BUILD_BENCH=ON -DVORLANE_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --target all
for b in build-bench/bin/bench_*; do
  echo "== $(basename "$b")"
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$b" "$@"
done
