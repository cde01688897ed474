#!/usr/bin/env bash
# Checks that every C++ source keeps the house style, then builds everything and runs
# every test through CTest: first the ordinary build, then the
# records and command-line tests built on Qt alone (VORLANE_PORTABLE, the build for systems
# without POSIX), then the whole suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer, then a short run of each fuzz target.
# Env: VORLANE_BUILD_DIR (default build-test; the sanitizer build goes to <dir>-asan),
#      VORLANE_CMAKE_ARGS, VORLANE_CTEST_ARGS, VORLANE_FUZZ_SECONDS (per target, default 20),
#      VORLANE_SKIP_PORTABLE=1, VORLANE_SKIP_SANITIZE=1, VORLANE_SKIP_FUZZ=1.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build test
# Every C++ source keeps the house style of .clang-format (in a clone; a source tarball
# has nothing to list them by).
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' |
    xargs -0 clang-format --dry-run -Werror
fi
build_dir=${VORLANE_BUILD_DIR:-build-test}
summary=$(mktemp)
trap 'rm -f "$summary"' EXIT
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug ${VORLANE_CMAKE_ARGS:-}
cmake --build "$build_dir"
(cd "$build_dir" && ctest --output-on-failure -j2 ${VORLANE_CTEST_ARGS:-}) | tee -a "$summary"

if [ "${VORLANE_SKIP_PORTABLE:-0}" != 1 ]; then
  portable_dir="$build_dir-portable"
  cmake -S . -B "$portable_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORLANE_PORTABLE=ON ${VORLANE_CMAKE_ARGS:-}
  cmake --build "$portable_dir" --target tests/records/all tests/cli/all
  (cd "$portable_dir" && ctest --output-on-failure -j2 -R '^(records|cli)_' ${VORLANE_CTEST_ARGS:-}) | tee -a "$summary"
fi

if [ "${VORLANE_SKIP_SANITIZE:-0}" != 1 ]; then
  asan_dir="$build_dir-asan"
  cmake -S . -B "$asan_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORLANE_SANITIZE=ON ${VORLANE_CMAKE_ARGS:-}
  cmake --build "$asan_dir"
  # Leak checking stays on: Qt itself is not instrumented, but its allocations that live
  # until exit are still reachable and so not reported. Set ASAN_OPTIONS to override.
  (cd "$asan_dir" &&
    ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1} \
    UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
    ctest --output-on-failure -j2 ${VORLANE_CTEST_ARGS:-}) | tee -a "$summary"
fi

if [ "${VORLANE_SKIP_FUZZ:-0}" != 1 ]; then
  scripts/fuzz.sh "${VORLANE_FUZZ_SECONDS:-20}"
fi

# One closing line over every CTest run above.
awk '/tests passed, [0-9]+ tests failed out of/ { total += $NF; failed += $(NF-5) }
     END { printf "tests: %d passed, %d failed\n", total - failed, failed }' "$summary"
