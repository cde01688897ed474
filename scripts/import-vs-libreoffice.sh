#!/usr/bin/env bash
# vorlane-cli import of a 100,000-order workbook against LibreOffice reading the same file
# (XLSX to CSV), run in turns on the same machine; prints both medians and the ratio. The
# workbook is a generated batch exported by the program and saved again by LibreOffice, so
# it is a file LibreOffice wrote.
# Usage: scripts/import-vs-libreoffice.sh [ORDERS] [RUNS]   (default 100000 orders, 5 runs each)
# VORLANE_BENCH_BUILD names another Release tree to build and use (default build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."
orders=${1:-100000}
runs=${2:-5}
scripts/deps.sh build test bench
build=${VORLANE_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORLANE_BUILD_BENCH=ON -DVORLANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target vorlane-cli vorlane-xls vorlane-bench-probe vorlane-bench-peak >/dev/null
bin=$build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$bin/vorlane-bench-probe" batch "$orders" "$work/orders.txt" "$work/orders.csv" >/dev/null
"$bin/vorlane-cli" export --tables data "$work/orders.txt" --output "$work/exported.xlsx" >/dev/null
profile="-env:UserInstallation=file://$work/lo-profile"
soffice "$profile" --headless --convert-to 'xlsx:Calc MS Excel 2007 XML' --outdir "$work/lo" "$work/exported.xlsx" >/dev/null 2>&1
cp "$work/lo/exported.xlsx" "$work/orders.xlsx"

field() { sed -n "s/^$1 //p"; }
ours=() theirs=()
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((i = 0; i < runs; i++)); do
  out=$("$bin/vorlane-bench-peak" "$bin/vorlane-cli" import --tables data --depositor x --depositor-address y \
        --accept-unknown-postcodes --force "$work/orders.xlsx" --output "$work/imported.txt")
  ours+=("$(field wall_ms <<<"$out") $(field peak_kib <<<"$out") $(field cpu_ms <<<"$out")")
  out=$("$bin/vorlane-bench-peak" soffice "$profile" --headless --convert-to csv --outdir "$work/csv" "$work/orders.xlsx")
  theirs+=("$(field wall_ms <<<"$out") $(field peak_kib <<<"$out") $(field cpu_ms <<<"$out")")
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
imported=$(grep -c '' "$work/imported.txt")
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
col() { printf '%s\n' "$@" | cut -d' ' -f"$N" | median; }
N=1 ours_ms=$(N=1 col "${ours[@]}"); theirs_ms=$(N=1 col "${theirs[@]}")
ours_kib=$(N=2 col "${ours[@]}"); theirs_kib=$(N=2 col "${theirs[@]}")
ours_cpu=$(N=3 col "${ours[@]}"); theirs_cpu=$(N=3 col "${theirs[@]}")
echo "orders: $orders ($imported imported), runs: $runs each, taken in turns"
echo "vorlane-cli import: ${ours_ms} ms wall, ${ours_cpu} ms CPU (medians), peak $((ours_kib / 1024)) MiB"
echo "LibreOffice XLSX to CSV: ${theirs_ms} ms wall, ${theirs_cpu} ms CPU (medians), peak $((theirs_kib / 1024)) MiB"
echo "each run (wall_ms peak_kib cpu_ms): ours ${ours[*]/%/;} LibreOffice ${theirs[*]/%/;}"
awk -v a="$ours_ms" -v b="$theirs_ms" 'BEGIN { printf "ratio by wall time: %.1f x faster\n", b / a }'
awk -v a="$ours_cpu" -v b="$theirs_cpu" 'BEGIN { printf "ratio by CPU time: %.1f x faster\n", b / a }'
