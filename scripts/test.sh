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

# The shared-store tests (NAME_pg) run on a PostgreSQL server of their own in a temporary
# folder; its stores are made once by --init-server into vorla_modelo, which each test
# copies. Without a server those tests are skipped, never left waiting.
source scripts/pg-server.sh
stop_all() { pg_server_stop; stop_cupsd; }
trap stop_all EXIT
unset ETIQUETAS_TEST_PG
if pg_server_start; then
  if pg_server_as "$(pg_server_bin)/createdb" -h "$PG_SERVER_DIR" -p 5432 -U vorla vorla_modelo &&
     build/etiquetas-vorla --init-server "${PG_SERVER_URI/\/postgres?/\/vorla_modelo?}" --user ADMIN --password 1234 >/dev/null; then
    export ETIQUETAS_TEST_PG="$PG_SERVER_URI"
  else
    echo "PostgreSQL: --init-server falhou; testes do servidor pulados" >&2
  fi
fi

(cd build && ctest --output-on-failure --timeout 600 "$@")

# A short run of every fuzz target: one that no longer builds or crashes at once fails here.
fuzz_seconds="${ETIQUETAS_FUZZ_SECONDS:-20}"
if [ "$fuzz_seconds" -gt 0 ]; then
  bash fuzz/run.sh "$fuzz_seconds"
fi
