#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The VdqDesigner developers
# SPDX-License-Identifier: BSD-3-Clause
# Makes the Debian packages (libvdqdesigner0, libvdqdesigner-dev, vdqdesigner-tools): a Release
# build in build-package/ (or $VDQ_PACKAGE_DIR), CPack's DEB generator,
# then lintian on each package. Fails when lintian reports an error (an "E:" line); its
# warnings are shown. The packages are left in <build dir>/packages.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${VDQ_PACKAGE_DIR:-$root/build-package}")
"$root/scripts/deps.sh" package

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Debian's compiler and linker flags (hardening: fortified functions, read-only relocations, ...),
# taken in the source tree so that its paths are mapped to "." in the debugging data.
cd "$root"
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
# Installed under /usr, where the libraries are found without a run path (Debian wants none).
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_RPATH=ON \
  -DVDQ_BUILD_TESTS=OFF -DVDQ_BUILD_BENCH=OFF "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"

out=$build/packages
rm -rf "$out"
(cd "$build" && cpack -G DEB -B "$out")

status=0
for deb in "$out"/*.deb; do
  echo "== $(basename "$deb")"
  dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
  report=$(lintian --tag-display-limit 0 "$deb" 2>&1) || true
  [ -n "$report" ] && echo "$report"
  if grep -q '^E:' <<<"$report"; then
    status=1
  fi
done
[ "$status" = 0 ] && echo "package.sh: lintian reports no errors; packages in $out"
exit "$status"
