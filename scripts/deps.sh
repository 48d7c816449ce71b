#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when missing.
#   deps.sh run    what the example host needs
#   deps.sh test   what the test suite needs (a superset)
set -euo pipefail
kind=${1:-test}

pkgs=(cmake g++ make qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
      libqt6sql6-mysql libqt6sql6-odbc libsqlite3-dev libgl-dev qt6-gtk-platformtheme
      fonts-dejavu-core)
if [ "$kind" = test ]; then
  pkgs+=(postgresql xvfb xauth xdotool poppler-utils clang libclang-rt-14-dev
         mariadb-server mariadb-client unixodbc odbc-postgresql libsqliteodbc)
fi

missing=()
for p in "${pkgs[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" = 0 ] || sudo=sudo
$sudo apt-get update -qq
# The tests start their own database servers; installing a server package must not start
# (or leave enabled) a system-wide one. policy-rc.d forbids starting services while
# installing; it is removed afterwards unless it was there before.
policy=/usr/sbin/policy-rc.d
own_policy=0
if [ ! -e "$policy" ]; then
  printf '#!/bin/sh\nexit 101\n' | $sudo tee "$policy" >/dev/null
  $sudo chmod 755 "$policy"
  own_policy=1
fi
status=0
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || status=$?
[ "$own_policy" = 1 ] && $sudo rm -f "$policy"
[ "$status" = 0 ] || exit "$status"
for m in "${missing[@]}"; do
  case "$m" in
  mariadb-server|postgresql)
    svc=${m%-server}
    if command -v systemctl >/dev/null && [ -d /run/systemd/system ]; then
      $sudo systemctl disable --now "$svc" >/dev/null 2>&1 || true
    fi ;;
  esac
done
