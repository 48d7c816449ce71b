#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when missing.
#   deps.sh run    what the example host needs
#   deps.sh test   what the test suite needs (a superset)
# Supported: Debian 12 (bookworm). Needs root, or sudo for apt-get.
set -euo pipefail
kind=${1:-test}

# fonts-dejavu-core gives the fonts the windows fall back on: DejaVu Sans Mono for the SQL
# editor's "Courier" and DejaVu Sans for the dialogs' "Tahoma".
pkgs=(cmake g++ make qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
      libqt6sql6-mysql libqt6sql6-odbc libsqlite3-dev libgl-dev qt6-gtk-platformtheme
      fonts-dejavu-core fontconfig)
if [ "$kind" = test ]; then
  # The database servers are started by the tests themselves, from their binaries only.
  pkgs+=(postgresql xvfb xauth xdotool poppler-utils clang libclang-rt-dev ccache)
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

echo "Installing ${#missing[@]} Debian packages and what they need (about 90 s on a new machine):"
echo "  ${missing[*]}"
"${sudo[@]}" apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive UCF_FORCE_CONFFOLD=1 \
  apt-get install -y -q --no-install-recommends -o Dpkg::Options::=--force-confold "${missing[@]}"
