#!/usr/bin/env bash
# Installs what Ravelha needs to build, test and run on Debian 12 (bookworm).
# Runs apt-get only for packages that are missing, so a second run is quick.
set -euo pipefail

packages=(
  build-essential cmake
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libgl-dev
  postgresql openssl
  libbenchmark-dev libsqlite3-dev
  xvfb xauth poppler-utils imagemagick fonts-liberation
  qt6-translations-l10n
  libical-dev pkg-config python3-icalendar
  pxlib-dev
  dpkg-dev lintian file x11-utils xdotool desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
