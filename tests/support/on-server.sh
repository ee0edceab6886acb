#!/bin/sh
# Runs a test on the PostgreSQL server scripts/test.sh started, or skips it (77).
if [ -z "$ETIQUETAS_TEST_PG" ]; then
  echo "SKIP: no PostgreSQL server for the tests (scripts/test.sh starts one and sets ETIQUETAS_TEST_PG)"
  exit 77
fi
exec "$@"
