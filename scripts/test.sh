#!/usr/bin/env bash
# Sets everything up and runs every test. The spooler test needs a running cupsd:
# it is started here when we may (root) and stopped at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

started_cupsd=""
if [ "$(id -u)" -eq 0 ] && [ -x /usr/sbin/cupsd ] && ! lpstat -r 2>/dev/null | grep -q "scheduler is running"; then
  mkdir -p /run/cups
  setsid /usr/sbin/cupsd -f >/dev/null 2>&1 &
  started_cupsd=$!
  for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q "scheduler is running" && break; sleep 0.2; done
fi
stop_cupsd() { [ -n "$started_cupsd" ] && kill "$started_cupsd" 2>/dev/null || true; }
trap stop_cupsd EXIT

(cd build && ctest --output-on-failure --timeout 600 "$@")

# A short run of every fuzz target: one that no longer builds or crashes at once fails here.
fuzz_seconds="${ETIQUETAS_FUZZ_SECONDS:-20}"
if [ "$fuzz_seconds" -gt 0 ]; then
  bash fuzz/run.sh "$fuzz_seconds"
fi
