#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The VdqDesigner developers
# SPDX-License-Identifier: BSD-3-Clause
# Builds the project and runs the whole test suite: the fuzz targets of the readers for under
# three minutes in all (built with clang in a tree of its own), then every test program. A
# PostgreSQL and a MariaDB server are started on loopback for the run (and ODBC data sources
# set up in private files), and stopped afterwards. Ends with CTest's summary.
#   VDQ_SANITIZE_RUN=1  also builds and runs the suite under AddressSanitizer and
#                       UndefinedBehaviorSanitizer (in build-asan/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VDQ_BUILD_DIR:-$root/build}
jobs=$(nproc)
"$root/scripts/deps.sh" test
VDQ_BUILD_DIR=$build "$root/scripts/build.sh"

fuzz=${VDQ_FUZZ_BUILD_DIR:-$root/build-fuzz}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S "$root" -B "$fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVDQ_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$fuzz" --target fuzz_queryfile fuzz_rtftext fuzz_aliasfile fuzz_sqlparameters fuzz_sqldesign -j"$jobs"
ctest --test-dir "$fuzz" -R '^fuzz_' --output-on-failure

if [ "${VDQ_SANITIZE_RUN:-0}" = 1 ]; then
  asan=${VDQ_ASAN_BUILD_DIR:-$root/build-asan}
  VDQ_BUILD_DIR=$asan "$root/scripts/build.sh" -DVDQ_SANITIZE=ON -DVDQ_BUILD_BENCH=OFF
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions=$root/tests/sanitizer/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$asan" --output-on-failure -j"$jobs"
fi

cd "$build"
ctest --output-on-failure -j"$jobs" "$@"
