#!/usr/bin/env bash
# Builds the project and runs the whole test suite (a PostgreSQL server is started on
# loopback for the run and stopped afterwards). Ends with CTest's summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VDQ_BUILD_DIR:-$root/build}
"$root/scripts/deps.sh" test
VDQ_BUILD_DIR=$build "$root/scripts/build.sh"
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
