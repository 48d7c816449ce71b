#!/usr/bin/env bash
# Starts or stops the PostgreSQL server of a test run, on loopback, in a folder of its own.
#   pgserver.sh start DIR MKSAMPLE SAMPLE_SQL   initdb, start on a free port, load the sample
#   pgserver.sh stop DIR                        stop the server and remove DIR
# DIR/pg.env tells the tests how to reach it (PGHOST, PGPORT, database names, users).
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
    if [ -f "$data/data/postmaster.pid" ]; then
      as_owner "$pgbin/pg_ctl" -D "$data/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
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
  # Password logins for "alice", trust for the owner.
  as_owner tee "$data/data/pg_hba.conf" >/dev/null <<HBA
local all all trust
host all $owner 127.0.0.1/32 trust
host all all 127.0.0.1/32 scram-sha-256
HBA
  port=""
  for p in $(shuf -i 20000-60000 -n 50); do
    if ! (echo > /dev/tcp/127.0.0.1/$p) 2>/dev/null; then port=$p; break; fi
  done
  [ -n "$port" ] || { echo "no free port" >&2; exit 1; }
  as_owner "$pgbin/pg_ctl" -D "$data/data" -l "$data/server.log" -w -t 60 \
    -o "-h 127.0.0.1 -p $port -k $data -c fsync=off -c synchronous_commit=off -c full_page_writes=off" start >/dev/null \
    || { cat "$data/server.log" >&2; stop; exit 1; }
  psql=( "$pgbin/psql" -X -q -h 127.0.0.1 -p "$port" -U "$owner" -v ON_ERROR_STOP=1 )
  "${psql[@]}" -d postgres -c "CREATE DATABASE shop" \
    -c "CREATE DATABASE empty" \
    -c "CREATE ROLE alice LOGIN PASSWORD 'secret'" >/dev/null
  "${psql[@]}" -d shop -c "GRANT ALL ON SCHEMA public TO alice" >/dev/null
  "$mkmsample" --postgresql "host=127.0.0.1 port=$port dbname=shop user=$owner" "$sql" >"$dir/sample.log" 2>&1 \
    || { cat "$dir/sample.log" >&2; stop; exit 1; }
  "${psql[@]}" -d shop -c "GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA public TO alice" >/dev/null
  cat > "$dir/pg.env" <<ENV
PGHOST=127.0.0.1
PGPORT=$port
PGUSER=$owner
PGDATABASE=shop
PGEMPTY=empty
PGPASSUSER=alice
PGPASSWORD=secret
ENV
  echo "PostgreSQL on 127.0.0.1:$port"
  ;;
stop)
  stop
  ;;
*)
  echo "usage: $0 start|stop DIR ..." >&2; exit 2 ;;
esac
