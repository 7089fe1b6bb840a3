#!/usr/bin/env bash
# A private PostgreSQL server for one test run.
#
#   PrivateServer.sh start   make a fresh cluster in a temporary folder under /tmp, start it and
#                            create the database ravelha_teste (a server still recorded from an
#                            earlier run is stopped first)
#   PrivateServer.sh stop    stop the recorded server and remove its folder (nothing to stop is fine)
#   PrivateServer.sh url     print the URL the tests connect to
#   PrivateServer.sh restart start the recorded cluster again as it was left, after it was stopped
#                            or killed (a server still running is first stopped at once, as by a
#                            power cut); its data goes through the server's own crash recovery
#
# The server listens on no TCP address, only on a Unix socket inside its own folder, and trusts
# local connections as the superuser "postgres": no password is kept anywhere. With
# RAVELHA_SERVIDOR_TLS=1 at `start` it also listens on a free port of 127.0.0.1, for TLS connections
# only, with a certificate for "localhost" signed by a throw-away authority of its own (ca.crt in
# its folder); `url` then gives the TLS address that checks the server against that authority. Run as root, the
# server programs run as the postgres user (PostgreSQL refuses to run as root). The state file,
# RAVELHA_SERVIDOR_ESTADO (default ./servidor-teste.estado), holds the folder's path.
set -euo pipefail

readonly state_file="${RAVELHA_SERVIDOR_ESTADO:-$PWD/servidor-teste.estado}"
readonly folder_pattern='/tmp/ravelha-servidor.XXXXXXXX'
readonly database='ravelha_teste'
readonly superuser='postgres'

fail() {
  echo "PrivateServer.sh: $*" >&2
  exit 1
}

# The folder holding initdb, pg_ctl, pg_isready and psql.
find_bindir() {
  local dir
  if command -v pg_config >/dev/null 2>&1; then
    dir="$(pg_config --bindir 2>/dev/null || true)"
    if [ -n "$dir" ] && [ -x "$dir/initdb" ] && [ -x "$dir/pg_ctl" ]; then
      echo "$dir"
      return
    fi
  fi
  dir="$(printf '%s\n' /usr/lib/postgresql/*/bin | sort -V | tail -n 1)"
  if [ -n "$dir" ] && [ -x "$dir/initdb" ] && [ -x "$dir/pg_ctl" ]; then
    echo "$dir"
    return
  fi
  fail "no PostgreSQL server programs found (pg_config --bindir, /usr/lib/postgresql/*/bin):" \
    "install the package postgresql"
}

# Runs a server program as the user who owns the cluster: postgres when we are root, else ourselves.
as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    # From / so a working folder the postgres user may not enter (under /root, say) is no matter.
    (cd / && runuser -u "$superuser" -- "$@")
  else
    "$@"
  fi
}

# The recorded folder, or nothing. Only a folder of our own pattern is ever trusted, so a damaged
# or foreign state file can never make `stop` remove anything else.
recorded_folder() {
  [ -f "$state_file" ] || return 0
  local folder
  folder="$(head -n 1 "$state_file")"
  if [[ "$folder" =~ ^/tmp/ravelha-servidor\.[A-Za-z0-9]{8}$ ]]; then
    echo "$folder"
  else
    echo "PrivateServer.sh: ignoring the state file $state_file: it names no private server folder" >&2
  fi
}

# The postmaster's process id from the cluster's lock file, if that process is still alive.
live_postmaster() {
  local pidfile="$1/data/postmaster.pid" pid
  [ -f "$pidfile" ] || return 0
  pid="$(head -n 1 "$pidfile" 2>/dev/null || true)"
  # A recycled process id is not our server: its command line must name this cluster.
  if [[ "$pid" =~ ^[0-9]+$ ]] && kill -0 "$pid" 2>/dev/null &&
    tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline" | grep -qF -- "$1/data"; then
    echo "$pid"
  fi
}

stop_server() {
  local folder pid bindir
  folder="$(recorded_folder)"
  if [ -n "$folder" ] && [ -d "$folder" ]; then
    if [ -n "$(live_postmaster "$folder")" ]; then
      bindir="$(find_bindir)"
      as_owner "$bindir/pg_ctl" stop -D "$folder/data" -m fast -w -t 30 >/dev/null 2>&1 ||
        as_owner "$bindir/pg_ctl" stop -D "$folder/data" -m immediate -w -t 30 >/dev/null 2>&1 || true
      pid="$(live_postmaster "$folder")"
      if [ -n "$pid" ]; then
        # Only this run's own postmaster, named by the lock file of its own folder.
        kill -KILL "$pid" 2>/dev/null || true
        sleep 1
      fi
      [ -z "$(live_postmaster "$folder")" ] || fail "the server in $folder does not stop"
    fi
    rm -rf -- "$folder"
  fi
  rm -f -- "$state_file"
}

# The EXIT trap of a `start` under way: on failure, show the server's log and undo everything.
abandon_start() {
  local status=$?
  if [ "$status" -ne 0 ] && [ -n "$starting_folder" ]; then
    if [ -f "$starting_folder/server.log" ]; then
      sed 's/^/    /' "$starting_folder/server.log" >&2
    fi
    echo "$starting_folder" >"$state_file"
    stop_server
  fi
}

starting_folder=''

# A free TCP port of 127.0.0.1, as the system hands one out.
free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()'
}

# TLS on 127.0.0.1 only: a throw-away authority signs a certificate for localhost; the port goes
# to the second line of the state file, and TCP connections without TLS are turned away.
enable_tls() {
  local folder="$1" port
  command -v openssl >/dev/null 2>&1 || fail "RAVELHA_SERVIDOR_TLS needs openssl"
  port="$(free_port)"
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Ravelha teste CA" \
    -keyout "$folder/ca.key" -out "$folder/ca.crt" >/dev/null 2>&1 || fail "openssl could not make the authority"
  openssl req -newkey rsa:2048 -nodes -subj "/CN=localhost" \
    -keyout "$folder/data/server.key" -out "$folder/server.csr" >/dev/null 2>&1 ||
    fail "openssl could not make the server's key"
  printf 'subjectAltName=DNS:localhost,IP:127.0.0.1\n' >"$folder/san.ext"
  openssl x509 -req -in "$folder/server.csr" -CA "$folder/ca.crt" -CAkey "$folder/ca.key" -CAcreateserial \
    -days 2 -extfile "$folder/san.ext" -out "$folder/data/server.crt" >/dev/null 2>&1 ||
    fail "openssl could not sign the server's certificate"
  chmod 0600 "$folder/data/server.key"
  [ "$(id -u)" -ne 0 ] || chown "$superuser:" "$folder/data/server.key" "$folder/data/server.crt"
  echo 'hostssl all all 127.0.0.1/32 trust' >>"$folder/data/pg_hba.conf"
  cat >>"$folder/data/postgresql.conf" <<EOF
listen_addresses = '127.0.0.1'
port = $port
ssl = on
ssl_cert_file = 'server.crt'
ssl_key_file = 'server.key'
EOF
  echo "$port" >>"$state_file"
}

# The server's port (its socket's name too): the one recorded at a TLS start, else 5432.
server_port() {
  local port=''
  [ -f "$state_file" ] && port="$(sed -n 2p "$state_file")"
  if [[ "$port" =~ ^[0-9]+$ ]]; then echo "$port"; else echo 5432; fi
}

# Waits until the server of the folder accepts connections (half a minute at most).
wait_until_ready() {
  local bindir="$1" folder="$2" tries=0
  until "$bindir/pg_isready" -q -h "$folder" -p "$(server_port)" -U "$superuser" -d postgres; do
    tries=$((tries + 1))
    [ "$tries" -lt 60 ] || fail "the server in $folder does not accept connections"
    sleep 0.5
  done
}

start_server() {
  local bindir folder
  bindir="$(find_bindir)"
  stop_server

  if [ "$(id -u)" -eq 0 ] && ! id "$superuser" >/dev/null 2>&1; then
    fail "running as root needs the user $superuser (made by the package postgresql)"
  fi

  folder="$(mktemp -d "$folder_pattern")"
  # From here on a failure leaves nothing behind: no folder, no server, no state file.
  starting_folder="$folder"
  trap abandon_start EXIT
  echo "$folder" >"$state_file"
  chmod 0755 "$folder"
  [ "$(id -u)" -ne 0 ] || chown "$superuser:" "$folder"

  as_owner "$bindir/initdb" -D "$folder/data" -U "$superuser" -E UTF8 --locale=C \
    --auth-local=trust --auth-host=reject >"$folder/initdb.log" 2>&1 ||
    { cat "$folder/initdb.log" >&2; fail "initdb failed"; }
  # Local socket connections only, trusted; no host line at all.
  echo 'local all all trust' >"$folder/data/pg_hba.conf"
  cat >>"$folder/data/postgresql.conf" <<EOF

# Private test server: no TCP, the socket in its own folder, no durability needed.
listen_addresses = ''
unix_socket_directories = '$folder'
port = 5432
fsync = off
synchronous_commit = off
full_page_writes = off
shared_buffers = 32MB
max_connections = 100
EOF
  if [ "${RAVELHA_SERVIDOR_TLS:-}" = 1 ]; then
    enable_tls "$folder"
  fi

  as_owner "$bindir/pg_ctl" start -D "$folder/data" -l "$folder/server.log" -w -t 60 >/dev/null ||
    fail "pg_ctl start failed"
  wait_until_ready "$bindir" "$folder"
  "$bindir/psql" -X -q -v ON_ERROR_STOP=1 -h "$folder" -p "$(server_port)" -U "$superuser" -d postgres \
    -c "CREATE DATABASE $database ENCODING 'UTF8' TEMPLATE template0 LC_COLLATE 'C' LC_CTYPE 'C'" ||
    fail "the database $database could not be created"
  trap - EXIT
  echo "private PostgreSQL server ready: $(print_url)"
}

restart_server() {
  local bindir folder
  bindir="$(find_bindir)"
  folder="$(recorded_folder)"
  [ -n "$folder" ] && [ -d "$folder/data" ] || fail "no private server recorded in $state_file (run: $0 start)"
  if [ -n "$(live_postmaster "$folder")" ]; then
    as_owner "$bindir/pg_ctl" stop -D "$folder/data" -m immediate -w -t 30 >/dev/null 2>&1 ||
      fail "the server in $folder does not stop"
  fi
  # A server killed at once leaves its lock file behind; pg_ctl sees that no postmaster owns it.
  as_owner "$bindir/pg_ctl" start -D "$folder/data" -l "$folder/server.log" -w -t 60 >/dev/null ||
    { sed 's/^/    /' "$folder/server.log" >&2; fail "pg_ctl start failed"; }
  wait_until_ready "$bindir" "$folder"
  echo "private PostgreSQL server restarted: $(print_url)"
}

print_url() {
  local folder
  folder="$(recorded_folder)"
  [ -n "$folder" ] || fail "no private server recorded in $state_file (run: $0 start)"
  if [ -f "$folder/ca.crt" ]; then
    echo "postgresql://$superuser@localhost:$(server_port)/$database?sslmode=verify-full&sslrootcert=$folder/ca.crt"
  else
    echo "postgresql://$superuser@/$database?host=$folder"
  fi
}

case "${1:-}" in
  start) start_server ;;
  stop) stop_server ;;
  url) print_url ;;
  restart) restart_server ;;
  *)
    echo "usage: $0 start|stop|url|restart" >&2
    exit 2
    ;;
esac
