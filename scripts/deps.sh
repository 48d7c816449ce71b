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
  pkgs+=(postgresql xvfb xauth xdotool poppler-utils clang libclang-rt-14-dev)
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
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
