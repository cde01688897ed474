#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when missing.
# Usage: scripts/deps.sh [build|run|test|fuzz|bench]...
set -euo pipefail
want=(build-essential cmake ninja-build qt6-base-dev libxkbcommon-dev libcups2-dev qt6-l10n-tools fonts-thai-tlwg libzip-dev libxlsxwriter-dev libfreexl-dev)
for group in "$@"; do
  case "$group" in
    run)  want+=(qt6-qpa-plugins) ;;
    test) want+=(libreoffice-calc-nogui poppler-utils xvfb xauth cups cups-client cups-bsd printer-driver-cups-pdf libbenchmark-dev clang libclang-rt-14-dev clang-format) ;;
    fuzz) want+=(clang libclang-rt-14-dev) ;;
    bench) want+=(libbenchmark-dev libreoffice-calc-nogui) ;;
  esac
done
missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
