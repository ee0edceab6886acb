#!/usr/bin/env bash
# Installs the Debian packages the program needs to build and run; without --program
# also those of its tests, benchmarks and fuzzing. Runs as root or through sudo; safe to
# run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-odbc libqt6sql6-psql libqt6printsupport6
  qt6-translations-l10n
  libgl-dev
  libsqlite3-dev sqlite3 libpq-dev
  libcups2-dev
  zlib1g-dev
  unixodbc tdsodbc
  fonts-liberation fontconfig
  libzint-dev
)
if [ "${1:-}" != "--program" ]; then
  packages+=(
    postgresql
    cups cups-client cups-bsd
    unixodbc-dev libsqliteodbc
    poppler-utils
    libbenchmark-dev
    libzbar-dev
    clang libclang-rt-14-dev
  )
fi

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
