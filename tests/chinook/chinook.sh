#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The VdqDesigner developers
# SPDX-License-Identifier: BSD-3-Clause
# Loads the public Chinook sample (kept beside the project in ../shared/data/chinook, not
# copied into it) into every engine of the test run, for tests that check designs against a
# schema this project did not write:
#   chinook.sh start DIR SOURCE_DIR PG_DIR MARIADB_DIR ODBC_DIR
#     SQLite file DIR/chinook.sqlite, PostgreSQL database chinook, MariaDB database Chinook
#     (the user of the run may use it), ODBC data sources VDQ_CHINOOK_PG, VDQ_CHINOOK_MARIADB
#     and VDQ_CHINOOK_SQLITE.
#   DIR/chinook.env tells the tests where; CHINOOK=absent when the sample is not there.
set -euo pipefail
cmd=$1 dir=$2
case "$cmd" in
start)
  src=$3 pgdir=$4 mydir=$5 odbcdir=$6
  data=$src/../shared/data/chinook
  rm -rf "$dir"
  mkdir -p "$dir"
  if [ ! -f "$data/Chinook_Sqlite.sql" ]; then
    echo "CHINOOK=absent" > "$dir/chinook.env"
    echo "the Chinook sample is not beside the project ($data): its tests are skipped"
    exit 0
  fi
  command -v sqlite3 >/dev/null || { echo "sqlite3 not found (package sqlite3)" >&2; exit 1; }
  sqlite3 "$dir/chinook.sqlite" < "$data/Chinook_Sqlite.sql"
  # shellcheck disable=SC1091
  . "$pgdir/pg.env"
  psql -X -q -h "$PGHOST" -p "$PGPORT" -U "$PGUSER" -d postgres -v ON_ERROR_STOP=1 \
    -f "$data/Chinook_PostgreSql.sql" >"$dir/pg.log" 2>&1 || { cat "$dir/pg.log" >&2; exit 1; }
  # shellcheck disable=SC1091
  . "$mydir/mariadb.env"
  { cat "$data/Chinook_MySql.sql"; echo "GRANT ALL ON Chinook.* TO '$MYUSER'@'%';"; } \
    | mariadb --no-defaults --socket="$MYSOCKET" -uroot >"$dir/mariadb.log" 2>&1 \
    || { cat "$dir/mariadb.log" >&2; exit 1; }
  cat >> "$odbcdir/odbc.ini" <<INI

[VDQ_CHINOOK_PG]
Driver=VDQ PostgreSQL
Servername=$PGHOST
Port=$PGPORT
Database=chinook
Username=$PGUSER

[VDQ_CHINOOK_MARIADB]
Driver=VDQ MariaDB
Server=$MYHOST
Port=$MYPORT
Database=Chinook
User=$MYUSER
Password=$MYPASSWORD
Charset=utf8mb4

[VDQ_CHINOOK_SQLITE]
Driver=VDQ SQLite3
Database=$dir/chinook.sqlite
Timeout=5000
INI
  cat > "$dir/chinook.env" <<ENV
CHINOOK=present
CHINOOKSQLITE=$dir/chinook.sqlite
CHINOOKPGDATABASE=chinook
CHINOOKMYDATABASE=Chinook
CHINOOKODBCPGDSN=VDQ_CHINOOK_PG
CHINOOKODBCMARIADBDSN=VDQ_CHINOOK_MARIADB
CHINOOKODBCSQLITEDSN=VDQ_CHINOOK_SQLITE
ENV
  echo "Chinook in $dir, on PostgreSQL, on MariaDB and through ODBC"
  ;;
stop)
  rm -rf "$dir"
  ;;
*)
  echo "usage: $0 start|stop DIR ..." >&2; exit 2 ;;
esac
