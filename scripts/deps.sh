#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The VdqDesigner developers
# SPDX-License-Identifier: BSD-3-Clause
# Installs the Debian packages that building, running and testing need, when missing.
#   deps.sh run    what the example host needs
#   deps.sh test   what the test suite needs (a superset)
#   deps.sh package   what scripts/package.sh needs: the build, CPack's helpers (file and
#                  dpkg-shlibdeps) and lintian
# Supported: Debian 12 (bookworm). Needs root, or sudo for apt-get.
set -euo pipefail
kind=${1:-test}

# fonts-dejavu-core gives the fonts the windows fall back on: DejaVu Sans Mono for the SQL
# editor's "Courier" and DejaVu Sans for the dialogs' "Tahoma".
# qt6-l10n-tools (lupdate, lrelease) and qt6-tools-dev (their CMake package) build the
# translations; qt6-translations-l10n gives Qt's own texts in the user's language.
pkgs=(cmake g++ make qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
      libqt6sql6-mysql libqt6sql6-odbc libsqlite3-dev libmariadb-dev libpq-dev libgl-dev qt6-gtk-platformtheme
      qt6-l10n-tools qt6-tools-dev qt6-translations-l10n fonts-dejavu-core fontconfig)
if [ "$kind" = test ]; then
  # The database servers are started by the tests themselves, from their programs only.
  pkgs+=(postgresql mariadb-server mariadb-client unixodbc odbc-postgresql odbc-mariadb libsqliteodbc
         xvfb xdotool poppler-utils clang libclang-rt-dev ccache sqlite3 doxygen
         appstream desktop-file-utils)
fi
if [ "$kind" = package ]; then
  pkgs+=(dpkg-dev file lintian fakeroot)
fi

missing=()
for p in "${pkgs[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" != 0 ]; then
  if command -v sudo >/dev/null; then
    sudo=(sudo)
  else
    echo "deps.sh: these Debian packages are missing: ${missing[*]}" >&2
    echo "deps.sh: installing them needs root. Run this command as root, install sudo," >&2
    echo "         or install them yourself: apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
fi

# Installing the PostgreSQL server would otherwise create a "main" cluster that starts at
# every boot. The tests need only the server's programs, so no cluster is created.
conf=/etc/postgresql-common/createcluster.conf
if [[ " ${missing[*]} " == *" postgresql "* ]] && ! grep -qs '^create_main_cluster' "$conf"; then
  "${sudo[@]}" mkdir -p "$(dirname "$conf")"
  echo "create_main_cluster = false" | "${sudo[@]}" tee -a "$conf" >/dev/null
fi

echo "Installing ${#missing[@]} Debian packages and what they need (about 2 minutes on a new machine):"
echo "  ${missing[*]}"
"${sudo[@]}" apt-get update -q
# No server package may start a system-wide service while installing: policy-rc.d says no
# to every start, and is removed afterwards unless it was there before.
policy=/usr/sbin/policy-rc.d
own_policy=0
if [ ! -e "$policy" ]; then
  printf '#!/bin/sh\nexit 101\n' | "${sudo[@]}" tee "$policy" >/dev/null
  "${sudo[@]}" chmod 755 "$policy"
  own_policy=1
fi
status=0
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive UCF_FORCE_CONFFOLD=1 \
  apt-get install -y -q --no-install-recommends -o Dpkg::Options::=--force-confold "${missing[@]}" || status=$?
[ "$own_policy" = 1 ] && "${sudo[@]}" rm -f "$policy"
[ "$status" = 0 ] || exit "$status"
# Under systemd a server package also enables its service for the next boot: undone here.
if command -v systemctl >/dev/null && [ -d /run/systemd/system ]; then
  for svc in mariadb postgresql; do
    if [[ " ${missing[*]} " == *" $svc"* ]]; then
      "${sudo[@]}" systemctl disable --now "$svc" >/dev/null 2>&1 || true
    fi
  done
fi
