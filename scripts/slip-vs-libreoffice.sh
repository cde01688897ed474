#!/usr/bin/env bash
# The slip of a generated batch to PDF against LibreOffice printing the same orders
# (CSV to PDF), run in turns on the same machine; prints both medians and the ratio.
# Usage: scripts/slip-vs-libreoffice.sh [ORDERS] [RUNS]   (default 10000 orders, 5 runs each)
# VORLANE_BENCH_BUILD names another Release tree to build and use (default build-bench).
# Wall and CPU time are both given: on a shared machine the wall time mostly waits for a core.
set -euo pipefail
cd "$(dirname "$0")/.."
orders=${1:-10000}
runs=${2:-5}
scripts/deps.sh build test bench
build=${VORLANE_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORLANE_BUILD_BENCH=ON -DVORLANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target vorlane-cli vorlane-bench-probe vorlane-bench-peak >/dev/null
bin=$build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$bin/vorlane-bench-probe" batch "$orders" "$work/orders.txt" "$work/orders.csv"
# LibreOffice's first start makes its user profile: once, untimed, in a profile of its own.
profile="-env:UserInstallation=file://$work/lo-profile"
soffice "$profile" --headless --convert-to pdf --outdir "$work/lo" "$work/orders.csv" >/dev/null 2>&1

field() { sed -n "s/^$1 //p"; }
ours=() theirs=()
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((i = 0; i < runs; i++)); do
  out=$("$bin/vorlane-bench-peak" "$bin/vorlane-cli" slip --tables data --output "$work/slip.pdf" "$work/orders.txt")
  ours+=("$(field wall_ms <<<"$out") $(field peak_kib <<<"$out") $(field cpu_ms <<<"$out")")
  out=$("$bin/vorlane-bench-peak" soffice "$profile" --headless --convert-to pdf --outdir "$work/lo" "$work/orders.csv")
  theirs+=("$(field wall_ms <<<"$out") $(field peak_kib <<<"$out") $(field cpu_ms <<<"$out")")
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ours_ms=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f1 | median)
theirs_ms=$(printf '%s\n' "${theirs[@]}" | cut -d' ' -f1 | median)
ours_kib=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f2 | median)
theirs_kib=$(printf '%s\n' "${theirs[@]}" | cut -d' ' -f2 | median)
ours_cpu=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f3 | median)
theirs_cpu=$(printf '%s\n' "${theirs[@]}" | cut -d' ' -f3 | median)
pages=$(pdfinfo "$work/slip.pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
echo "orders: $orders, runs: $runs each, taken in turns"
echo "vorlane-cli slip: ${ours_ms} ms wall, ${ours_cpu} ms CPU (medians), peak $((ours_kib / 1024)) MiB, ${pages:-?} sheets"
echo "LibreOffice CSV to PDF: ${theirs_ms} ms wall, ${theirs_cpu} ms CPU (medians), peak $((theirs_kib / 1024)) MiB"
echo "each run (wall_ms peak_kib cpu_ms): ours ${ours[*]/%/;} LibreOffice ${theirs[*]/%/;}"
awk -v a="$ours_ms" -v b="$theirs_ms" 'BEGIN { printf "ratio by wall time: %.1f x faster (%.3f of its time)\n", b / a, a / b }'
awk -v a="$ours_cpu" -v b="$theirs_cpu" 'BEGIN { printf "ratio by CPU time: %.1f x faster (%.3f of its time)\n", b / a, a / b }'
