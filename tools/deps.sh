#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and its screenshots need.
set -euo pipefail
packages=(g++ cmake make ccache pkg-config qt6-base-dev libgl-dev libsqlite3-dev sqlite3
          qt6-translations-l10n libgtest-dev libgmock-dev libbenchmark-dev fonts-ipafont-gothic xvfb xauth)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
