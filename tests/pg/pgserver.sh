#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The VdqDesigner developers
# SPDX-License-Identifier: BSD-3-Clause
# Starts or stops the PostgreSQL server of a test run, on loopback, in a folder of its own,
# with a hot standby of it (a read replica by streaming replication) on another port.
#   pgserver.sh start DIR MKSAMPLE SAMPLE_SQL   initdb, start on a free port, load the sample;
#                                               the standby follows from before the sample and
#                                               has replayed it when this returns
#   pgserver.sh stop DIR                        stop both servers and remove DIR
# DIR/pg.env tells the tests how to reach them (PGHOST, PGPORT, PGSTANDBYPORT, database
# names, users).
set -euo pipefail
cmd=$1 dir=$2

pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n1)
[ -x "$pgbin/initdb" ] || { echo "PostgreSQL server binaries not found" >&2; exit 1; }

as_owner() {
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

# The data folder lives under /tmp, where the server's own user can reach it whatever
# folder the build is in; DIR/datadir remembers where.
stop() {
  if [ -f "$dir/datadir" ]; then
    data=$(cat "$dir/datadir")
    for d in "$data/standby" "$data/data"; do
      if [ -f "$d/postmaster.pid" ]; then
        as_owner "$pgbin/pg_ctl" -D "$d" -m immediate -w stop >/dev/null 2>&1 || true
      fi
    done
    case "$data" in /tmp/vdqpg.*) rm -rf "$data" ;; esac
  fi
  rm -rf "$dir"
}

case "$cmd" in
start)
  mkmsample=$3 sql=$4
  stop
  mkdir -p "$dir"
  data=$(mktemp -d /tmp/vdqpg.XXXXXX)
  echo "$data" > "$dir/datadir"
  if [ "$(id -u)" = 0 ]; then chown postgres "$data"; fi
  owner=$(if [ "$(id -u)" = 0 ]; then echo postgres; else id -un; fi)
  as_owner "$pgbin/initdb" -D "$data/data" -U "$owner" -A trust -E UTF8 --locale=C >"$dir/initdb.log" 2>&1 \
    || { cat "$dir/initdb.log" >&2; exit 1; }
  # Password logins for "alice", trust for the owner, who also streams to the standby.
  as_owner tee "$data/data/pg_hba.conf" >/dev/null <<HBA
local all all trust
host all $owner 127.0.0.1/32 trust
host replication $owner 127.0.0.1/32 trust
host all all 127.0.0.1/32 scram-sha-256
HBA
  free_port() {
    local p
    for p in $(shuf -i 20000-60000 -n 50); do
      [ "$p" != "${1:-}" ] || continue
      if ! (echo > /dev/tcp/127.0.0.1/$p) 2>/dev/null; then echo "$p"; return 0; fi
    done
    echo "no free port" >&2
    return 1
  }
  # A server of the run in data folder $1 on port $2, its log $3.
  start_server() {
    as_owner "$pgbin/pg_ctl" -D "$1" -l "$3" -w -t 60 \
      -o "-h 127.0.0.1 -p $2 -k $data -c fsync=off -c synchronous_commit=off -c full_page_writes=off" start >/dev/null \
      || { cat "$3" >&2; stop; exit 1; }
  }
  port=$(free_port) || exit 1
  start_server "$data/data" "$port" "$data/server.log"
  psql=( "$pgbin/psql" -X -q -h 127.0.0.1 -p "$port" -U "$owner" -v ON_ERROR_STOP=1 )
  "${psql[@]}" -d postgres -c "CREATE DATABASE shop" \
    -c "CREATE DATABASE empty" \
    -c "CREATE ROLE alice LOGIN PASSWORD 'secret'" >/dev/null
  "${psql[@]}" -d shop -c "GRANT ALL ON SCHEMA public TO alice" >/dev/null
  # The standby: a copy of the server as it is now, which then streams everything after it
  # (the sample among it); its slot keeps the server's WAL until the standby has it.
  sport=$(free_port "$port") || { stop; exit 1; }
  as_owner "$pgbin/pg_basebackup" -h 127.0.0.1 -p "$port" -U "$owner" -D "$data/standby" -R -X stream \
    -C -S vdq_standby -c fast >"$dir/basebackup.log" 2>&1 || { cat "$dir/basebackup.log" >&2; stop; exit 1; }
  start_server "$data/standby" "$sport" "$data/standby.log"
  "$mkmsample" --postgresql "host=127.0.0.1 port=$port dbname=shop user=$owner" "$sql" >"$dir/sample.log" 2>&1 \
    || { cat "$dir/sample.log" >&2; stop; exit 1; }
  "${psql[@]}" -d shop -c "GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA public TO alice" >/dev/null
  # Ready when the standby has replayed all the server wrote until now.
  lsn=$("${psql[@]}" -d postgres -A -t -c "SELECT pg_current_wal_lsn()")
  replayed=""
  for _ in $(seq 1 1200); do
    replayed=$("$pgbin/psql" -X -q -h 127.0.0.1 -p "$sport" -U "$owner" -d postgres -A -t \
      -c "SELECT pg_last_wal_replay_lsn() >= '$lsn'" 2>/dev/null || true)
    [ "$replayed" = t ] && break
    sleep 0.1
  done
  [ "$replayed" = t ] || { echo "the standby has not replayed the sample (up to $lsn)" >&2; cat "$data/standby.log" >&2; stop; exit 1; }
  cat > "$dir/pg.env" <<ENV
PGHOST=127.0.0.1
PGPORT=$port
PGSTANDBYPORT=$sport
PGUSER=$owner
PGDATABASE=shop
PGEMPTY=empty
PGPASSUSER=alice
PGPASSWORD=secret
ENV
  echo "PostgreSQL on 127.0.0.1:$port, its hot standby on 127.0.0.1:$sport"
  ;;
stop)
  stop
  ;;
*)
  echo "usage: $0 start|stop DIR ..." >&2; exit 2 ;;
esac
