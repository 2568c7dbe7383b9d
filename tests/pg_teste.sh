#!/usr/bin/env bash
# Runs a test program against a throwaway PostgreSQL server of its own:
# pg_virtualenv (postgresql-common) creates a cluster in a temporary folder,
# as root too, starts it on a free port, sets the PG* variables, runs the
# program and drops the cluster. QUELLORA_TESTE_PG tells the tests that the
# server is theirs to empty, stop and start.
#
#   tests/pg_teste.sh PROGRAM [ARGS...]
set -euo pipefail
if ! command -v pg_virtualenv >/dev/null; then
  echo "pg_virtualenv não foi encontrado: instale postgresql e postgresql-common (scripts/setup.sh)." >&2
  exit 1
fi
# A port the system has just found free, so that tests run side by side by
# several people on one machine do not meet on the default 5432.
PGPORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
export PGPORT QUELLORA_TESTE_PG=1
exec pg_virtualenv -t "$@"
