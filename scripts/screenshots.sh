#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The VdqDesigner developers
# SPDX-License-Identifier: BSD-3-Clause
# Makes the README's pictures in docs/: builds the project, starts a virtual X display
# (Xvfb) and runs vdqscreenshots on it twice, at scale 1 into docs/ and at scale 2 into
# $build/screenshots/2x/, whose designer picture becomes docs/designer@2x.png, and once
# more with a dark palette, whose designer picture becomes docs/designer-dark.png, and in
# German, whose host and designer pictures become docs/host-de.png and docs/designer-de.png.
#   VDQ_SCREENSHOTS_EXTRA=1  also grabs every other window (dialog pages, menus, popups,
#                            about box) into $build/screenshots/extra/ and extra-2x/
#   VDQ_SKIP_BUILD=1         uses the programs already built in $build
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VDQ_BUILD_DIR:-$root/build}
shots=$build/screenshots
docs=$root/docs

command -v Xvfb >/dev/null || "$root/scripts/deps.sh" test
if [ "${VDQ_SKIP_BUILD:-0}" != 1 ]; then
  VDQ_BUILD_DIR=$build "$root/scripts/build.sh"
fi
program=$build/tools/vdqscreenshots
[ -x "$program" ] || { echo "screenshots.sh: $program was not built" >&2; exit 1; }

tmp=$(mktemp -d)
mkdir -m 700 "$tmp/runtime"
xvfb_pid=
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT

# Large enough for the designer at scale 2; Xvfb picks a free display and reports it.
Xvfb -displayfd 3 -screen 0 2560x1600x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$tmp/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$tmp/xvfb.log" >&2; exit 1; }
  sleep 0.1
done
[ -s "$tmp/display" ] || { echo "screenshots.sh: Xvfb did not start" >&2; exit 1; }
display=:$(head -n1 "$tmp/display")

# The same look on every machine: Qt's own style and the C locale (or $shot_locale and
# $shot_language for a translated run), no desktop settings.
shot_locale=C.UTF-8
shot_language=
run() {
  local scale=$1 out=$2 extra=$3
  shift 3
  local args=(--sample "$root/sample/shop.sql" "$@")
  [ "${VDQ_SCREENSHOTS_EXTRA:-0}" = 1 ] && args+=(--extra "$extra")
  env -u QT_QPA_PLATFORMTHEME -u QT_STYLE_OVERRIDE -u QT_SCREEN_SCALE_FACTORS \
      -u QT_ENABLE_HIGHDPI_SCALING -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION \
      DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" XDG_RUNTIME_DIR="$tmp/runtime" \
      LC_ALL="$shot_locale" LANG="$shot_locale" LANGUAGE="$shot_language" \
      "$program" "${args[@]}" "$out"
}

mkdir -p "$docs"
rm -rf "$shots"
run 1 "$docs" "$shots/extra"
run 2 "$shots/2x" "$shots/extra-2x"
cp "$shots/2x/designer.png" "$docs/designer@2x.png"
# The designer once more under Fusion's usual dark palette.
run 1 "$shots/dark" "$shots/extra-dark" --dark
cp "$shots/dark/designer.png" "$docs/designer-dark.png"
# The host and the designer once more in German.
shot_locale=de_DE.UTF-8 shot_language=de
run 1 "$shots/de" "$shots/extra-de"
cp "$shots/de/designer.png" "$docs/designer-de.png"
cp "$shots/de/host.png" "$docs/host-de.png"
echo "Pictures in $docs; the scale-2 set in $shots/2x"
