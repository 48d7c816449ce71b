#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The VdqDesigner developers
# SPDX-License-Identifier: BSD-3-Clause
# Builds the project and starts the example host on the bundled sample database SHOP.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VDQ_BUILD_DIR:-$root/build}
"$root/scripts/deps.sh" run
# Only what this command starts: the host and the sample builder.
VDQ_BUILD_DIR=$build VDQ_BUILD_TARGETS="VDQBExample vdqmksample" "$root/scripts/build.sh"
sample=$build/sample
mkdir -p "$sample"
if [ ! -f "$sample/shop.sqlite" ] || [ "$root/sample/shop.sql" -nt "$sample/shop.sqlite" ]; then
  echo "Building the sample database..."
  rm -f "$sample/shop.sqlite"
  "$build/tools/vdqmksample" --sqlite "$sample/shop.sqlite" "$root/sample/shop.sql"
fi
if [ -z "${VDQ_ALIASES:-}" ]; then
  printf '[SHOP]\r\nDriver=STANDARD\r\nPath=shop.sqlite\r\n' > "$sample/aliases.ini"
  export VDQ_ALIASES=$sample/aliases.ini
fi
exec "$build/host/VDQBExample" "$@"
