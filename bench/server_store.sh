#!/usr/bin/env bash
# Runs bench/server_store (the shared store next to SQLite) on a loopback PostgreSQL
# server started for it in a temporary folder and stopped at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/pg-server.sh
trap pg_server_stop EXIT
pg_server_start
pg_server_as "$(pg_server_bin)/createdb" -h "$PG_SERVER_DIR" -p 5432 -U vorla vorla_modelo
build/etiquetas-vorla --init-server "${PG_SERVER_URI/\/postgres?/\/vorla_modelo?}" --user ADMIN --password 1234 >/dev/null
ETIQUETAS_BENCH_PG="$PG_SERVER_URI" build/bench/server_store
