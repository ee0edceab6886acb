#!/usr/bin/env bash
# Installs every Debian package the program, its tests and its benchmarks need.
# Runs as root or through sudo; safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-odbc libqt6printsupport6
  qt6-translations-l10n
  libgl-dev
  libsqlite3-dev sqlite3
  libqt6sql6-psql postgresql libpq-dev
  libcups2-dev cups cups-client cups-bsd
  unixodbc unixodbc-dev tdsodbc libsqliteodbc
  fonts-liberation fontconfig
  poppler-utils
  libbenchmark-dev
  libzint-dev libzbar-dev
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
