#!/usr/bin/env bash
# Every window looks the same whatever font resolution the desktop sets apart from its
# scale: KDE's forced font DPI (Xft.dpi 144 or 120 with Qt's own scaling off) and a scale
# rounded down to 1 (Xft.dpi 120, rounding policy Round) render pixel for pixel as a
# plain 96 dpi screen does; Xft.dpi 144 with scaling on renders as a scale of 1.5.
#   tests/ui/desktop/fontdpi_check.sh build/release/tests/ui/desktop/look_probe
set -uo pipefail
probe=$(realpath "$1")
cd "$(dirname "$0")/../../.."
. tests/support/xvfb.sh

work=$(mktemp -d)
# The server keeps the resources between clients: it never resets (xvfb.sh).
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"' EXIT

render() {  # name, Xft.dpi, then environment assignments for the probe
  local name=$1 dpi=$2
  shift 2
  mkdir -p "$work/$name"
  echo "Xft.dpi: $dpi" | xrdb -merge
  env -u QT_SCALE_FACTOR -u QT_ENABLE_HIGHDPI_SCALING -u QT_SCALE_FACTOR_ROUNDING_POLICY -u QT_FONT_DPI \
    "$@" "$probe" "$work/$name" 2>/dev/null || echo "FAIL: the probe failed for $name"
}
render plain 96
render forced144 144 QT_ENABLE_HIGHDPI_SCALING=0
render forced120 120 QT_ENABLE_HIGHDPI_SCALING=0
render rounded120 120 QT_SCALE_FACTOR_ROUNDING_POLICY=Round
render scaled 96 QT_SCALE_FACTOR=1.5
render dpi144 144

failed=0
compare() {  # reference, other
  local shot name
  for shot in "$work/$1"/*.png; do
    name=$(basename "$shot")
    cmp -s "$shot" "$work/$2/$name" || { echo "FAIL: $name under $2 differs from $1"; failed=1; }
  done
}
count=$(ls "$work"/plain/*.png 2>/dev/null | wc -l)
((count >= 7)) || { echo "FAIL: only $count pictures rendered"; exit 1; }
for other in forced144 forced120 rounded120; do compare plain "$other"; done
compare scaled dpi144
((failed == 0)) && echo "$count windows identical at 96, 120 and 144 dpi with the scale kept at 1, and at 144 dpi scaled by 1.5"
exit "$failed"
