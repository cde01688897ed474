#!/usr/bin/env bash
# Remakes the README's pictures: starts the program under Xvfb at 1024 x 768, keys three
# orders with the keyboard, saves the batch, and photographs the entry window, the review
# window and page 1 of the slip (through vorlane-cli slip, which prints what the printer gets).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build test
for p in xdotool imagemagick; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || apt-get install -y -qq --no-install-recommends "$p"
done
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target vorlane vorlane-cli
run=$(mktemp -d)
cp build/bin/vorlane build/bin/*.txt "$run/"
export DISPLAY=:77
Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$run"' EXIT
sleep 1
(cd "$run" && HOME="$run" QT_QPA_PLATFORM=xcb ./vorlane >/dev/null 2>&1 &)
sleep 2
# No window manager here: give the window the keyboard as a desktop would.
xdotool windowfocus "$(xdotool search --onlyvisible --name "โปรแกรม" | head -1)"
sleep 0.5
k() { xdotool key --delay 60 "$@"; sleep 0.3; }
t() { xdotool type --delay 80 "$1"; sleep 0.3; }
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.8; }
shot() { import -window root "$run/$1.png"; convert "$run/$1.png" -resize 75% -colors 64 "docs/$1.png"; }
k Return; sleep 0.5
t "บริษัท ตัวอย่างการค้า จำกัด"; k Return
t "99/9 ถนนสีลม แขวงสุริยวงศ์ เขตบางรัก กรุงเทพฯ 10500"; k Return; k Return; sleep 0.5
order() { t "$1"; k Return; t "$2"; k Return; t "$3"; k Return; t "$4"; k Return; k Return; k Return; }
order 10100 "นายสมชาย ใจดี" "12 ถนนหลวง แขวงป้อมปราบ" 500
order 50000 "นางสาวกาญจนา แก้วมณี" "45 หมู่ 3 ตำบลช้างเผือก" "1,250.50"
order 10110 "นายธนากร ศรีสุข" "7 ซอยสุขุมวิท 22" 3000
click 728 431
shot entry
click 945 306; xdotool key ctrl+a; t "batch"; k Return; k Return; sleep 0.5; k Return; sleep 0.5
click 945 475; click 150 78; shot review
build/bin/vorlane-cli slip --paper a4 --output "$run/slip.pdf" "$run/batch.txt"
pdftoppm -r 50 -png -f 1 -l 1 "$run/slip.pdf" "$run/slip"
convert "$run"/slip-1.png -colors 32 docs/slip.png
ls -la docs
