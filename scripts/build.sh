#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The VdqDesigner developers
# SPDX-License-Identifier: BSD-3-Clause
# Configures and builds the project into build/ (or $VDQ_BUILD_DIR): every target, or only
# those named in $VDQ_BUILD_TARGETS. Compiles through ccache when it is installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VDQ_BUILD_DIR:-$root/build}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=${VDQ_BUILD_TYPE:-RelWithDebInfo} "${launcher[@]}" "$@" >/dev/null
targets=()
for t in ${VDQ_BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
