#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The VdqDesigner developers
# SPDX-License-Identifier: BSD-3-Clause
# Starts or stops the MariaDB server of a test run, on loopback, in a folder of its own.
#   mariadbserver.sh start DIR MKSAMPLE SAMPLE_SQL   install a data folder, start on a free port, load the sample
#   mariadbserver.sh stop DIR                        stop the server and remove DIR
# DIR/mariadb.env tells the tests how to reach it (MYHOST, MYPORT, database names, user, password).
set -euo pipefail
cmd=$1 dir=$2

for b in mariadbd mariadb-install-db mariadb; do
  command -v "$b" >/dev/null 2>&1 || [ -x "/usr/sbin/$b" ] \
    || { echo "MariaDB server program $b not found" >&2; exit 1; }
done
mariadbd=$(command -v mariadbd || echo /usr/sbin/mariadbd)

# The data folder lives under /tmp (a socket path must stay short); DIR/datadir remembers where.
stop() {
  if [ -f "$dir/datadir" ]; then
    data=$(cat "$dir/datadir")
    if [ -f "$data/mariadbd.pid" ]; then
      pid=$(cat "$data/mariadbd.pid")
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -9 "$pid" 2>/dev/null || true
    fi
    case "$data" in /tmp/vdqmy.*) rm -rf "$data" ;; esac
  fi
  rm -rf "$dir"
}

case "$cmd" in
start)
  mksample=$3 sql=$4
  stop
  mkdir -p "$dir"
  data=$(mktemp -d /tmp/vdqmy.XXXXXX)
  echo "$data" > "$dir/datadir"
  # The server refuses to run as root; it switches to its own user, which must own the folder.
  # Temporary tables go to a folder of the run's own, not among other programs' files in /tmp.
  mkdir -p "$data/tmp"
  runas=()
  if [ "$(id -u)" = 0 ]; then chown mysql "$data" "$data/tmp"; runas=(--user=mysql); fi
  mariadb-install-db --no-defaults "${runas[@]}" --datadir="$data/data" --tmpdir="$data/tmp" \
    --auth-root-authentication-method=normal \
    --skip-test-db >"$dir/install.log" 2>&1 || { cat "$dir/install.log" >&2; stop; exit 1; }
  port=""
  for p in $(shuf -i 20000-60000 -n 50); do
    if ! (echo > /dev/tcp/127.0.0.1/$p) 2>/dev/null; then port=$p; break; fi
  done
  [ -n "$port" ] || { echo "no free port" >&2; stop; exit 1; }
  sock=$data/mysqld.sock
  "$mariadbd" --no-defaults "${runas[@]}" --datadir="$data/data" --tmpdir="$data/tmp" --socket="$sock" --pid-file="$data/mariadbd.pid" \
    --port="$port" --bind-address=127.0.0.1 --skip-name-resolve --log-error="$data/server.log" \
    --innodb-buffer-pool-size=32M --innodb-log-file-size=16M --innodb-flush-log-at-trx-commit=0 \
    --skip-log-bin --character-set-server=utf8mb4 >/dev/null 2>&1 &
  for _ in $(seq 1 300); do
    [ -S "$sock" ] && mariadb --no-defaults --socket="$sock" -uroot -e "SELECT 1" >/dev/null 2>&1 && break
    sleep 0.1
  done
  mariadb --no-defaults --socket="$sock" -uroot -e "SELECT 1" >/dev/null 2>&1 \
    || { cat "$data/server.log" >&2; stop; exit 1; }
  mariadb --no-defaults --socket="$sock" -uroot <<SQL
CREATE DATABASE shop;
CREATE DATABASE empty;
CREATE DATABASE hostile;
CREATE USER 'vdq'@'%' IDENTIFIED BY 'vdqsecret';
GRANT ALL ON shop.* TO 'vdq'@'%';
GRANT ALL ON empty.* TO 'vdq'@'%';
GRANT ALL ON hostile.* TO 'vdq'@'%';
SQL
  "$mksample" --no-big --mysql "host=127.0.0.1 port=$port dbname=shop user=vdq password=vdqsecret" "$sql" \
    >"$dir/sample.log" 2>&1 || { cat "$dir/sample.log" >&2; stop; exit 1; }
  cat > "$dir/mariadb.env" <<ENV
MYHOST=127.0.0.1
MYPORT=$port
MYSOCKET=$sock
MYDATABASE=shop
MYEMPTY=empty
MYUSER=vdq
MYPASSWORD=vdqsecret
ENV
  echo "MariaDB on 127.0.0.1:$port"
  ;;
stop)
  stop
  ;;
*)
  echo "usage: $0 start|stop DIR ..." >&2; exit 2 ;;
esac
