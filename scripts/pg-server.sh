#!/usr/bin/env bash
# A throwaway PostgreSQL server for the tests and benchmarks, on a Unix socket in a
# temporary folder (no TCP port). Source it:
#   source scripts/pg-server.sh && pg_server_start && ... && pg_server_stop
# pg_server_start sets PG_SERVER_DIR and PG_SERVER_URI (the maintenance database);
# as root, the server runs as the unprivileged user postgres through runuser.
# When no server can be started it says so and returns 1.

pg_server_bin() {
  local bin
  bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
  [ -n "$bin" ] && [ -x "$bin/initdb" ] && echo "$bin"
}

pg_server_as() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

pg_server_start() {
  local bin port=5432
  bin=$(pg_server_bin) || { echo "PostgreSQL: initdb não encontrado; testes do servidor pulados" >&2; return 1; }
  PG_SERVER_DIR=$(mktemp -d /tmp/vorla-pg.XXXXXX)
  [ "$(id -u)" -eq 0 ] && chown postgres: "$PG_SERVER_DIR"
  chmod 755 "$PG_SERVER_DIR"
  if ! pg_server_as "$bin/initdb" -D "$PG_SERVER_DIR/data" -A trust -U vorla -E UTF8 --locale=C.UTF-8 \
      >"$PG_SERVER_DIR/initdb.log" 2>&1; then
    echo "PostgreSQL: initdb falhou ($PG_SERVER_DIR/initdb.log); testes do servidor pulados" >&2
    return 1
  fi
  printf "unix_socket_directories = '%s'\nlisten_addresses = ''\nport = %s\n" "$PG_SERVER_DIR" "$port" |
    pg_server_as tee -a "$PG_SERVER_DIR/data/postgresql.conf" >/dev/null
  if ! pg_server_as "$bin/pg_ctl" -D "$PG_SERVER_DIR/data" -l "$PG_SERVER_DIR/server.log" -w -t 30 \
      start >/dev/null 2>&1; then
    echo "PostgreSQL: o servidor não subiu ($PG_SERVER_DIR/server.log); testes do servidor pulados" >&2
    return 1
  fi
  PG_SERVER_URI="postgresql:///postgres?host=$PG_SERVER_DIR&port=$port&user=vorla"
  export PG_SERVER_DIR PG_SERVER_URI
}

pg_server_stop() {
  local bin
  [ -n "${PG_SERVER_DIR:-}" ] && [ -d "$PG_SERVER_DIR/data" ] || return 0
  bin=$(pg_server_bin) && pg_server_as "$bin/pg_ctl" -D "$PG_SERVER_DIR/data" -m immediate -w stop >/dev/null 2>&1
  rm -rf "$PG_SERVER_DIR"
}

# Stops and starts again the server pg_server_start started (PG_SERVER_DIR), for the
# tests of a server that goes away in the middle of work.
pg_server_halt() {
  pg_server_as "$(pg_server_bin)/pg_ctl" -D "$PG_SERVER_DIR/data" -m fast -w stop >/dev/null
}
pg_server_resume() {
  pg_server_as "$(pg_server_bin)/pg_ctl" -D "$PG_SERVER_DIR/data" -l "$PG_SERVER_DIR/server.log" -w -t 30 start >/dev/null
}
