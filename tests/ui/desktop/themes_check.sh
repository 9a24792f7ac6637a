#!/usr/bin/env bash
# The windows look the same on a plain X server, on a dark GNOME desktop with a large
# font, on a qt6ct desktop with a dark colour scheme, the Windows style and a large
# serif font, and on a dark KDE desktop with a large font: every client area is
# identical, pixel for pixel.
#   tests/ui/desktop/themes_check.sh build/release/tests/ui/desktop/look_probe
set -euo pipefail
probe=$(realpath "$1")
cd "$(dirname "$0")/../../.."
. tests/support/xvfb.sh

work=$(mktemp -d)
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"' EXIT

render() {  # name, then environment assignments for the probe
  local name=$1
  shift
  mkdir -p "$work/$name/home" "$work/$name/shots"
  cp -r "$work/config-$name/." "$work/$name/home/" 2>/dev/null || true
  env -u QT_QPA_PLATFORMTHEME -u QT_STYLE_OVERRIDE -u XDG_CONFIG_HOME -u QT_QPA_PLATFORM \
    HOME="$work/$name/home" "$@" "$probe" "$work/$name/shots"
}

mkdir -p "$work/config-qt6ct/.config/qt6ct" "$work/config-gtk/.config/gtk-3.0" "$work/config-kde/.config"
cat >"$work/config-qt6ct/.config/qt6ct/qt6ct.conf" <<CONF
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Windows
standard_dialogs=default

[Fonts]
fixed="DejaVu Serif,14,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
general="DejaVu Serif,14,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
CONF
cat >"$work/config-gtk/.config/gtk-3.0/settings.ini" <<CONF
[Settings]
gtk-application-prefer-dark-theme=1
gtk-font-name=DejaVu Serif 14
CONF

cat >"$work/config-kde/.config/kdeglobals" <<CONF
[General]
font=DejaVu Serif,14,-1,5,50,0,0,0,0,0
menuFont=DejaVu Serif,14,-1,5,50,0,0,0,0,0
widgetStyle=Windows

[Colors:Window]
BackgroundNormal=35,38,41
ForegroundNormal=239,240,241

[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241

[Colors:View]
BackgroundNormal=27,30,32
ForegroundNormal=239,240,241
CONF

render plain
render qt6ct QT_QPA_PLATFORMTHEME=qt6ct
# A GNOME session loads the GTK theme by itself; a KDE session has Qt read kdeglobals.
render gtk XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=gtk3 QT_STYLE_OVERRIDE=Windows
render kde XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5

failed=0
for shot in "$work"/plain/shots/*.png; do
  name=$(basename "$shot")
  for desktop in qt6ct gtk kde; do
    if ! cmp -s "$shot" "$work/$desktop/shots/$name"; then
      echo "FAIL: $name differs under $desktop"
      failed=1
    fi
  done
done
count=$(ls "$work"/plain/shots/*.png | wc -l)
((count >= 7)) || { echo "FAIL: only $count pictures rendered"; exit 1; }
((failed == 0)) && echo "$count windows identical under qt6ct, GNOME's GTK theme and KDE"
exit "$failed"
