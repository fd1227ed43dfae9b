#!/usr/bin/env bash
# A throw-away PostgreSQL server for the catalogue tests.
#
#   pg-test-server.sh start STATE_DIR   initdb in a temporary directory, listen on
#                                       a free loopback port with password logins,
#                                       write STATE_DIR/server.env for the tests
#   pg-test-server.sh stop STATE_DIR    stop it and remove its data directory
#   pg-test-server.sh pause STATE_DIR   stop the running server, keep its data
#   pg-test-server.sh resume STATE_DIR  start a paused server again, same port
#
# server.env holds host, port, database, user, password and log lines
# (key=value). The server logs every statement (log_statement=all) to log,
# each line led by the backend's process id, so a test can count the
# statements of its own connection (SELECT pg_backend_pid()).
# PostgreSQL refuses to run as root, so under root the server runs as the
# `postgres` user from a data directory it owns.
set -euo pipefail

action=${1:-}
state_dir=${2:-}
if [[ -z $action || -z $state_dir ]]; then
  echo "usage: $0 start|stop|pause|resume STATE_DIR" >&2
  exit 2
fi

pg_bin=${KELVARON_PG_BIN:-}
if [[ -z $pg_bin ]]; then
  pg_bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
fi
if [[ -z $pg_bin || ! -x $pg_bin/initdb ]]; then
  echo "pg-test-server: no PostgreSQL server binaries (install the postgresql package)" >&2
  exit 1
fi

run_as_server_user() {
  if [[ $(id -u) -eq 0 ]]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

state_file=$state_dir/server.env
data_root_file=$state_dir/data-root

stop_server() {
  [[ -f $data_root_file ]] || return 0
  local root
  root=$(cat "$data_root_file")
  if [[ -d $root/data ]]; then
    run_as_server_user "$pg_bin/pg_ctl" -D "$root/data" -m fast -w stop >/dev/null 2>&1 || true
  fi
  rm -rf -- "$root"
  rm -f -- "$data_root_file" "$state_file"
}

server_options() {
  echo "-c listen_addresses=127.0.0.1 -p $2 -c unix_socket_directories=$1 -c fsync=off" \
    "-c log_statement=all -c log_line_prefix=%p: -c log_destination=stderr"
}

pause_server() {
  local root
  root=$(cat "$data_root_file")
  run_as_server_user "$pg_bin/pg_ctl" -D "$root/data" -m immediate -w stop >/dev/null
}

resume_server() {
  local root port
  root=$(cat "$data_root_file")
  port=$(sed -n 's/^port=//p' "$state_file")
  run_as_server_user "$pg_bin/pg_ctl" -D "$root/data" -l "$root/server.log" -w -t 30 \
    -o "$(server_options "$root" "$port")" start >/dev/null
}

port_in_use() {
  ss -Hltn "sport = :$1" 2>/dev/null | grep -q . && return 0
  return 1
}

start_server() {
  mkdir -p "$state_dir"
  stop_server  # a server left over from an interrupted run

  local root
  root=$(mktemp -d "${TMPDIR:-/tmp}/kelvaron-pg-XXXXXX")
  echo "$root" >"$data_root_file"
  chmod 755 "$root"
  [[ $(id -u) -eq 0 ]] && chown postgres: "$root"

  local user=kelvaron_test database=kelvaron_test
  # The password carries ";", "{" and "}" on purpose: every test connection
  # then proves that the connection string quotes such values.
  local password='kel;var{on}=pw'
  local pwfile=$root/superuser-password
  run_as_server_user sh -c "umask 077; echo superuser > '$pwfile'"
  run_as_server_user "$pg_bin/initdb" -D "$root/data" -U postgres --pwfile="$pwfile" \
    -E UTF8 --locale=C --auth-local=trust --auth-host=scram-sha-256 >"$root/initdb.log" 2>&1 || {
    cat "$root/initdb.log" >&2
    return 1
  }

  local port attempt
  for attempt in $(seq 1 20); do
    port=$((20000 + (RANDOM % 20000)))
    port_in_use "$port" && continue
    if run_as_server_user "$pg_bin/pg_ctl" -D "$root/data" -l "$root/server.log" -w -t 30 \
      -o "$(server_options "$root" "$port")" start >/dev/null; then
      break
    fi
    port=
  done
  if [[ -z $port ]]; then
    cat "$root/server.log" >&2 || true
    echo "pg-test-server: could not start PostgreSQL" >&2
    return 1
  fi

  run_as_server_user "$pg_bin/psql" -X -q -v ON_ERROR_STOP=1 -h "$root" -p "$port" -U postgres -d postgres \
    -c "CREATE ROLE $user LOGIN PASSWORD '$password'" \
    -c "CREATE DATABASE $database OWNER $user ENCODING 'UTF8'" >/dev/null

  cat >"$state_file" <<EOF
host=127.0.0.1
port=$port
database=$database
user=$user
password=$password
log=$root/server.log
EOF
  echo "pg-test-server: PostgreSQL on 127.0.0.1:$port (state in $state_dir)"
}

case $action in
  start) start_server ;;
  stop) stop_server ;;
  pause) pause_server ;;
  resume) resume_server ;;
  *)
    echo "usage: $0 start|stop|pause|resume STATE_DIR" >&2
    exit 2
    ;;
esac
