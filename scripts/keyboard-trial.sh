#!/usr/bin/env bash
# A clerk's session with the keyboard alone, from the first start to a printed slip, with
# the accessibility tree dumped (as a screen reader reads it over AT-SPI) at every window:
# the depositor, the entry window with an order keyed, help, review, the post-office
# search, the save chooser, the print window and the About box. The slip
# goes to a local PDF print queue. Each dump is written to OUT/NN-window.txt, a screenshot
# beside it; the script fails when a window's dump misses its focus or the slip is not printed.
# Usage: scripts/keyboard-trial.sh [OUT]   (as root, for the print server; default OUT: trial/)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-trial}")
scripts/deps.sh build test
for p in xdotool imagemagick openbox python3-gi gir1.2-atspi-2.0 at-spi2-core dbus; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || apt-get install -y -qq --no-install-recommends "$p"
done
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target vorlane
mkdir -p "$out"
rm -f "$out"/*.txt "$out"/*.png
run=$(mktemp -d)
cp build/bin/vorlane build/bin/*.txt "$run/"
state=$run/cups
tests/report/cups-fixture.sh start "$state"
if [ -f "$state/unavailable" ]; then echo "no print server: $(cat "$state/unavailable")"; exit 1; fi
queue=$(cat "$state/queue")
lpadmin -d "$queue"
pdfs() { ls "$run/home/PDF" "$HOME/PDF" /var/spool/cups-pdf/ANONYMOUS 2>/dev/null | grep -c '\.pdf$' || true; }
before=$(pdfs)
export DISPLAY=:78
Xvfb "$DISPLAY" -screen 0 1024x768x24 -noreset >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill $xvfb 2>/dev/null || true; tests/report/cups-fixture.sh stop "$state"; rm -rf "$run"; }
trap cleanup EXIT
sleep 1
openbox >/dev/null 2>&1 &
dbus-run-session -- bash -s "$run" "$out" <<'SESSION'
set -euo pipefail
run=$1 out=$2
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
sleep 1
mkdir -p "$run/home"
(cd "$run" && HOME="$run/home" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb ./vorlane >/dev/null 2>&1 &)
sleep 3
n=0
k() { xdotool key --delay 80 "$@"; sleep 0.6; }
t() { xdotool type --delay 90 "$1"; sleep 0.4; }
dump() {
  n=$((n + 1))
  f=$(printf '%s/%02d-%s' "$out" "$n" "$1")
  sleep 0.8
  scripts/atspi-dump.py > "$f.txt" 2>&1 || true
  import -window root "$f.png"
  grep -q FOCUSED "$f.txt" || { echo "no focus in the $1 window"; exit 1; }
}
dump start
k Return; dump depositor
t "บริษัท ตัวอย่างการค้า จำกัด"; k Return
t "99/9 ถนนสีลม กรุงเทพฯ 10500"; k Return; k Return; sleep 0.5
dump entry
t 10100; k Return; t "นายสมชาย ใจดี"; k Return; t "12 ถนนหลวง"; k Return; t 500; k Return; k Return
dump order-saved
k F2; dump help; k Return
k F5; dump review; k Escape
k ctrl+f; dump search; k Escape
# A batch without a name goes straight to the chooser.
# Enter in the name box goes on to "บันทึก", as Enter does from field to field.
k ctrl+s; dump chooser; k ctrl+a; t trial; k Return; k Return; dump saved; k Return
k ctrl+p; dump print; k Return; sleep 3; dump printed; k Return
k F1; dump about; k Escape
dump back
SESSION
for i in $(seq 15); do
  [ "$(pdfs)" -gt "$before" ] && { echo "printed: the queue wrote the slip; dumps in $out"; exit 0; }
  sleep 1
done
echo "the queue wrote no slip"
exit 1
