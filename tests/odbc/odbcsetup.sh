#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The VdqDesigner developers
# SPDX-License-Identifier: BSD-3-Clause
# Sets up the ODBC data sources of a test run in private files (ODBCSYSINI, ODBCINI point at DIR):
#   odbcsetup.sh start DIR PG_ENV MARIADB_ENV MKSAMPLE SAMPLE_SQL
#     VDQ_PG      psqlODBC to the test run's PostgreSQL (the owner, no password needed)
#     VDQ_PGPASS  psqlODBC as the user that must give a password (none in the data source)
#     VDQ_MARIADB MariaDB Connector/ODBC to the test run's MariaDB sample (user and password
#                 in the data source)
#     VDQ_SQLITE  the SQLite ODBC driver to DIR/shop.sqlite, a fresh sample database
#   odbcsetup.sh stop DIR
set -euo pipefail
cmd=$1 dir=$2

find_driver() {
  local name=$1 d
  for d in /usr/lib/*/odbc /usr/lib/odbc /usr/lib64 /usr/local/lib; do
    [ -f "$d/$name" ] && { echo "$d/$name"; return 0; }
  done
  echo "ODBC driver $name not found (packages odbc-postgresql, odbc-mariadb, libsqliteodbc)" >&2
  return 1
}

case "$cmd" in
start)
  pgenv=$3 myenv=$4 mksample=$5 sql=$6
  rm -rf "$dir"
  mkdir -p "$dir"
  command -v odbcinst >/dev/null || { echo "unixODBC (odbcinst) not found" >&2; exit 1; }
  [ -f "$pgenv" ] || { echo "the PostgreSQL test server is not running ($pgenv missing)" >&2; exit 1; }
  [ -f "$myenv" ] || { echo "the MariaDB test server is not running ($myenv missing)" >&2; exit 1; }
  # shellcheck disable=SC1090
  . "$pgenv"
  # shellcheck disable=SC1090
  . "$myenv"
  psql=$(find_driver psqlodbcw.so)
  maria=$(find_driver libmaodbc.so)
  sqlite=$(find_driver libsqlite3odbc.so)
  "$mksample" --no-big --sqlite "$dir/shop.sqlite" "$sql" >"$dir/sample.log" 2>&1 \
    || { cat "$dir/sample.log" >&2; exit 1; }
  cat > "$dir/odbcinst.ini" <<INI
[VDQ PostgreSQL]
Description=psqlODBC for the test run
Driver=$psql

[VDQ MariaDB]
Description=MariaDB Connector/ODBC for the test run
Driver=$maria

[VDQ SQLite3]
Description=SQLite ODBC driver for the test run
Driver=$sqlite
INI
  cat > "$dir/odbc.ini" <<INI
[VDQ_PG]
Driver=VDQ PostgreSQL
Servername=$PGHOST
Port=$PGPORT
Database=$PGDATABASE
Username=$PGUSER
UseServerSidePrepare=1
UseDeclareFetch=1
Fetch=200

[VDQ_PGPASS]
Driver=VDQ PostgreSQL
Servername=$PGHOST
Port=$PGPORT
Database=$PGDATABASE
Username=$PGPASSUSER

[VDQ_MARIADB]
Driver=VDQ MariaDB
Server=$MYHOST
Port=$MYPORT
Database=$MYDATABASE
User=$MYUSER
Password=$MYPASSWORD
Charset=utf8mb4

[VDQ_SQLITE]
Driver=VDQ SQLite3
Database=$dir/shop.sqlite
Timeout=5000
INI
  cat > "$dir/odbc.env" <<ENV
ODBCSYSINI=$dir
ODBCINI=$dir/odbc.ini
ODBCPGDSN=VDQ_PG
ODBCPGPASSDSN=VDQ_PGPASS
ODBCPGPASSUSER=$PGPASSUSER
ODBCPGPASSWORD=$PGPASSWORD
ODBCMARIADBDSN=VDQ_MARIADB
ODBCSQLITEDSN=VDQ_SQLITE
ODBCSQLITEFILE=$dir/shop.sqlite
ENV
  # Each data source answers before a test relies on it.
  for dsn in VDQ_PG VDQ_MARIADB VDQ_SQLITE; do
    echo "SELECT 1" | ODBCSYSINI=$dir ODBCINI=$dir/odbc.ini isql -b "$dsn" >"$dir/check.log" 2>&1 \
      || { echo "data source $dsn does not answer:" >&2; cat "$dir/check.log" >&2; exit 1; }
  done
  echo "ODBC data sources in $dir"
  ;;
stop)
  rm -rf "$dir"
  ;;
*)
  echo "usage: $0 start|stop DIR ..." >&2; exit 2 ;;
esac
