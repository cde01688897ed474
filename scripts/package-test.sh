#!/usr/bin/env bash
# Both install routes of the README, as written, on a fresh tree. Route 1: a build tree
# installed with "cmake --install" (into a staging folder), whose installed tool must run.
# Route 2: the Debian package, installed on a clean Debian 12 system (a debootstrap tree,
# made once and copied for each run), then checked: vorlane-cli totals on a sample batch,
# the manual pages as man shows them, a slip printed through a print server to a PDF queue,
# and the program starting on the installed tables. lintian checks the package first; an
# error fails the test.
# Needs root and Debian's package servers. Usage: scripts/package-test.sh [BASE_TREE]
set -euo pipefail
cd "$(dirname "$0")/.."
base=${1:-/var/tmp/vorlane-bookworm}
work=$(mktemp -d /var/tmp/vorlane-pkgtest.XXXXXX)
cleanup() {
  umount "$work/root/proc" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

scripts/deps.sh build
command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap

echo "== route 1: a build tree installed with cmake --install"
# The build scripts/run.sh makes, then the README's install line, staged.
cmake -S . -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$work/build" >/dev/null
DESTDIR="$work/stage" cmake --install "$work/build" --prefix /usr/local >/dev/null
for f in bin/vorlane bin/vorlane-cli libexec/vorlane/vorlane-xls share/man/man1/vorlane.1.gz \
         share/man/man1/vorlane-cli.1.gz share/vorlane/rate.txt share/applications/vorlane.desktop; do
  test -e "$work/stage/usr/local/$f" || { echo "route 1 did not install $f"; exit 1; }
done
"$work/stage/usr/local/bin/vorlane-cli" --version
HOME="$work" "$work/stage/usr/local/bin/vorlane-cli" fee 101 2500

echo "== route 2: the Debian package"
cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORLANE_BUILD_TESTS=OFF >/dev/null
cmake --build build-pkg >/dev/null
(cd build-pkg && cpack -G DEB >/dev/null)
deb=$(ls build-pkg/vorlane_*.deb | head -n1)
echo "package: $deb"
dpkg-deb --info "$deb" | sed -n '/Depends/p;/Recommends/p'
# Every line of the long description starts with exactly one blank.
if dpkg-deb -f "$deb" Description | tail -n +2 | grep -q -v '^ [^ ]'; then
  echo "the package's Description has a line that is not one blank and text"; exit 1
fi
command -v lintian >/dev/null || apt-get install -y -qq lintian
echo "== lintian"
lintian --fail-on error --info "$deb"

if [ ! -x "$base/bin/sh" ]; then
  debootstrap --variant=minbase bookworm "$base" http://deb.debian.org/debian
fi
cp -a "$base" "$work/root"
cp /etc/resolv.conf "$work/root/etc/resolv.conf"
mount -t proc proc "$work/root/proc"
cp "$deb" "$work/root/tmp/vorlane.deb"
cp tests/importer/files/writers/libreoffice.xls "$work/root/tmp/orders.xls"
printf '101|10100|นายทดสอบ ระบบ|บริษัท ตัวอย่าง จำกัด|500|ป้อมปราบ|1 ถนนหลวง|99 ถนนสีลม|\r\n103|10110|นางสาวทดลอง ใจดี|บริษัท ตัวอย่าง จำกัด|1,250.50|คลองเตย|2 ถนนพระราม 4|99 ถนนสีลม|\r\n' \
  | iconv -f UTF-8 -t CP874 > "$work/root/tmp/batch.txt"

chroot "$work/root" /bin/sh -ec '
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  cd /tmp && apt install -y -qq ./vorlane.deb >/dev/null 2>&1
  dpkg -s vorlane | grep -q "Status: install ok installed"
  echo "== installed files"; dpkg -L vorlane | grep -E "bin/|libexec/vorlane/|share/vorlane/|share/doc/vorlane/|man1/|applications/|icons/.*256"
  echo "== vorlane-cli totals"; vorlane-cli totals /tmp/batch.txt
  echo "== vorlane-cli fee"; vorlane-cli fee 101 2500
  echo "== an old Excel workbook imported through the installed helper"
  vorlane-cli import --depositor "ร้าน ข" --depositor-address "9 ถนน" /tmp/orders.xls --output /tmp/imported.txt
  test "$(grep -c "" /tmp/imported.txt)" -eq 3
  echo "== manual pages as man shows them"
  apt-get install -y -qq man-db groff-base >/dev/null 2>&1
  for page in vorlane vorlane-cli; do
    shown=$(MANWIDTH=80 man -P cat "$page" 2>/dev/null)
    echo "$shown" | head -n 4
    [ -n "$shown" ] || { echo "man $page shows nothing"; exit 1; }
    # A Thai letter would have lost its marks on the way: the pages are English.
    if echo "$shown" | grep -q -P "[\x{0E00}-\x{0E7F}]"; then echo "man $page shows Thai it cannot set"; exit 1; fi
  done
  MANWIDTH=80 man -P cat vorlane | grep -q "VORLANE_STATE_DIR"
  MANWIDTH=80 man -P cat vorlane-cli | grep -q "template"
  echo "== slip as PDF"; vorlane-cli slip --paper a4 --output /tmp/slip.pdf /tmp/batch.txt; test -s /tmp/slip.pdf && head -c 5 /tmp/slip.pdf; echo
  echo "== slip through the print server"
  apt-get install -y -qq printer-driver-cups-pdf poppler-utils >/dev/null 2>&1
  /usr/sbin/cupsd -f >/dev/null 2>&1 & cupsd_pid=$!; i=0; while ! lpstat -r 2>/dev/null | grep -q "is running" && [ $i -lt 50 ]; do sleep 0.2; i=$((i+1)); done
  lpadmin -p PDF -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
  rm -rf /root/PDF /var/spool/cups-pdf/ANONYMOUS/*
  vorlane-cli slip --paper a4 --printer PDF /tmp/batch.txt
  out=""; i=0
  while [ -z "$out" ] && [ $i -lt 60 ]; do sleep 0.5; i=$((i+1)); out=$(ls /root/PDF/*.pdf /var/spool/cups-pdf/ANONYMOUS/*.pdf 2>/dev/null | head -n1); done
  [ -n "$out" ] || { echo "the queue wrote no PDF"; exit 1; }
  sleep 1; pdfinfo "$out" | grep -E "^Pages: +1$"
  kill "$cupsd_pid" 2>/dev/null || true  # only the server started here, never the host server
  echo "== menu entry"; exe=$(sed -n "s/^Exec=//p" /usr/share/applications/vorlane.desktop); command -v "$exe"
  echo "== vorlane starts"
  rc=0; cd /tmp && HOME=/tmp QT_QPA_PLATFORM=offscreen timeout 5 vorlane || rc=$?
  [ "$rc" -eq 124 ] && echo "still running after 5 s: started" || { echo "vorlane exited with $rc"; exit 1; }
'
echo "package test passed"
