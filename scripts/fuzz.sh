#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each in turn, one at a time.
# Usage: scripts/fuzz.sh [seconds per target (default 30)] [target...]
#   targets: datafile tables cusname numbers codec fee csv xlsx ods numfmt xls utf16 (default: all)
# New inputs collect in <build>/corpus/<target> (seeded from tests/fuzz/corpus/<target>).
# A finding is written to <build>/findings/<target>/; once fixed, copy it into
# tests/fuzz/regressions/<target>/ so the replay test keeps it fixed.
# Env: VORLANE_FUZZ_BUILD_DIR (default build-fuzz).
# The targets read their inputs from scratch files and some save with a sync to disk, so
# they run with TMPDIR on a memory file system when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build fuzz
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(datafile tables cusname numbers codec fee csv xlsx ods numfmt xls utf16)
build_dir=${VORLANE_FUZZ_BUILD_DIR:-build-fuzz}

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVORLANE_FUZZ=ON >/dev/null
cmake --build "$build_dir" --target "${targets[@]/#/fuzz_}"

if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi

status=0
for t in "${targets[@]}"; do
  work="$build_dir/corpus/$t"
  findings="$build_dir/findings/$t"
  mkdir -p "$work" "$findings"
  echo "== fuzz_$t for ${seconds}s"
  # The seeds are read, never written: new inputs go to the work corpus only.
  if ! nice -n 19 "$build_dir/bin/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$findings/" "$work" "tests/fuzz/corpus/$t" \
       2>"$build_dir/fuzz_$t.log"; then
    echo "fuzz_$t found a fault; see $build_dir/fuzz_$t.log and $findings/"
    tail -n 40 "$build_dir/fuzz_$t.log"
    status=1
  fi
  grep -E '^#[0-9]+.*(DONE|pulse)' "$build_dir/fuzz_$t.log" | tail -n 1 || true
  grep -E '^stat::number_of_executed_units' "$build_dir/fuzz_$t.log" || true
done
exit $status
