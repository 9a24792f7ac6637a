#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs SCRIPT with bash inside KDE Plasma's compositor, KWin (5.27 on Debian 12, 6 on
# Debian 13), nested on an Xvfb of its own, with the environment Plasma's Wayland
# session gives the programs it starts: XDG_* and KDE_* set, WAYLAND_DISPLAY and DISPLAY
# (KWin's own Xwayland) set, no Qt platform named. No plasmashell: no panel, no
# wallpaper. The session has its own bus, HOME and runtime folder under WORK.
#   kwin_session.sh WORK SCRIPT [ARGUMENTS...]
# KWIN_SIZE (1280x1024 by default) and KWIN_SCALE (1, or a whole number) set the output. SCRIPT gets:
#   keys KEY...     X key names typed through KWin's seat (xdotool on the Xvfb, which
#                   KWin hands to the focused window, Wayland or X11 alike)
#   kwinjs FILE.js  runs a KWin script and prints its print() lines; the script's last
#                   line must be print("END")
#   within          from tests/support/poll.sh
# and KWIN_WORK (WORK), KWIN_LOG (KWin's output). kwin_wayland carries the file
# capability cap_sys_resource; where a container's bounding set lacks it, exec fails
# with "Operation not permitted", so a copy without it is run. Every process started
# here is ended by its PID.
set -uo pipefail
if [[ -z ${KWIN_IN_BUS:-} ]]; then KWIN_IN_BUS=1 exec dbus-run-session -- bash "$0" "$@"; fi
work=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work/home"
export HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/home/.config
mkdir -m 700 "$XDG_RUNTIME_DIR"
# KWIN_X11_SCALE chooses how X11 programs meet a scaled output, as Plasma's display
# settings do: "self", they scale themselves (told through Xft.dpi); "kwin", KWin scales
# their windows up. Unset: KWin's default.
mkdir -p "$XDG_CONFIG_HOME"
case ${KWIN_X11_SCALE:-} in
  self) printf '[Xwayland]\nScale=%s\nXwaylandClientsScale=true\n' "${KWIN_SCALE:-1}" >"$XDG_CONFIG_HOME/kwinrc" ;;
  kwin) printf '[Xwayland]\nScale=1\nXwaylandClientsScale=false\n' >"$XDG_CONFIG_HOME/kwinrc" ;;
esac
kwin=$(command -v kwin_wayland) || { echo "FAIL: kwin_wayland is not installed (see setup.sh)" >&2; exit 1; }
if ! "$kwin" --version >/dev/null 2>&1; then
  cp "$kwin" "$work/kwin_wayland"
  kwin=$work/kwin_wayland
fi
version=$("$kwin" --version 2>/dev/null | sed -n 's/^kwin \([0-9]*\)\..*/\1/p')
[[ -n $version ]] || { echo "FAIL: kwin_wayland does not start: $("$kwin" --version 2>&1 | tail -1)" >&2; exit 1; }
# The output's size in logical pixels; KWin's window on the Xvfb has it times the scale.
size=${KWIN_SIZE:-1280x1024} scale=${KWIN_SCALE:-1}
width=${size%x*} height=${size#*x}
XVFB_SCREEN=$((width * scale))x$((height * scale))x24 . "$here/../../support/xvfb.sh"
# KWin 6 takes the output's scale from its own settings rather than from --scale.
cat >"$XDG_CONFIG_HOME/kwinoutputconfig.json" <<JSON
[{"name": "outputs", "data": [{"connectorName": "X11-0", "scale": $scale,
   "mode": {"width": $((width * scale)), "height": $((height * scale)), "refreshRate": 60000}}]},
 {"name": "setups", "data": [{"lidClosed": false,
   "outputs": [{"enabled": true, "outputIndex": 0, "position": {"x": 0, "y": 0}, "priority": 0}]}]}]
JSON
host=$DISPLAY

# What Plasma's Wayland session tells the programs it starts; KDE_FULL_SESSION and
# KDE_SESSION_VERSION only once KWin runs: told them, and without Plasma's integration
# plugin, KWin 6 gets Qt 6.8's own KDE theme, and crashes in it.
export XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland XDG_SESSION_DESKTOP=KDE
unset KDE_FULL_SESSION KDE_SESSION_VERSION
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING XAUTHORITY
# KWin starts the program given after its options once Wayland and Xwayland are up:
# here one that writes down the environment KWin hands to programs (DISPLAY, XAUTHORITY).
printf '#!/bin/sh\nenv >"%s/kwin.env.part" && mv "%s/kwin.env.part" "%s/kwin.env"\n' "$work" "$work" "$work" >"$work/ready.sh"
chmod +x "$work/ready.sh"
export KWIN_WORK=$work KWIN_LOG=$work/kwin.log
QT_LOGGING_RULES='kwin_scripting.debug=true' "$kwin" --x11-display "$host" --width "$width" --height "$height" \
  --scale "$scale" --xwayland --socket numora-kwin "$work/ready.sh" >"$KWIN_LOG" 2>&1 &
kwin_pid=$!
trap 'kill "$kwin_pid" 2>/dev/null; wait "$kwin_pid" 2>/dev/null; kill "$xvfb_pid" 2>/dev/null || true' EXIT
up() { [[ -s $work/kwin.env ]] || ! kill -0 "$kwin_pid" 2>/dev/null; }
within 30 up && [[ -s $work/kwin.env ]] || { echo "FAIL: KWin did not start" >&2; tail -20 "$KWIN_LOG" >&2; exit 1; }
export WAYLAND_DISPLAY=numora-kwin KDE_FULL_SESSION=true KDE_SESSION_VERSION=$version
DISPLAY=$(sed -n 's/^DISPLAY=//p' "$work/kwin.env")
XAUTHORITY=$(sed -n 's/^XAUTHORITY=//p' "$work/kwin.env")
export DISPLAY XAUTHORITY KWIN_HOST=$host

keys() {
  local key
  for key in "$@"; do
    DISPLAY=$KWIN_HOST xdotool key "$key"
    sleep 0.05
  done
}
ended() { tail -n +"$1" "$KWIN_LOG" | grep -q "js: END"; }
kwinjs() {
  local from id
  from=$(($(wc -l <"$KWIN_LOG") + 1))
  id=$(dbus-send --session --print-reply=literal --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.loadScript \
    string:"$1" string:"numora$RANDOM$RANDOM" | awk '{print $2}')
  [[ -n $id ]] || return 1
  # KWin 6 names the script's object /Scripting/ScriptN, KWin 5 /N.
  dbus-send --session --print-reply --dest=org.kde.KWin "/Scripting/Script$id" org.kde.kwin.Script.run >/dev/null 2>&1 ||
    dbus-send --session --print-reply --dest=org.kde.KWin "/$id" org.kde.kwin.Script.run >/dev/null || return 1
  within 10 ended "$from" || return 1
  tail -n +"$from" "$KWIN_LOG" | sed -n 's/.*js: //p' | sed '/^END$/,$d'
}
export -f keys ended kwinjs within
# KWin's window on the Xvfb gets the keyboard while the pointer rests on it (focus
# follows the pointer on an X server without a window manager): in a corner, away from
# the windows.
DISPLAY=$host xdotool mousemove "$((width * scale - 1))" "$((height * scale - 1))"
bash "$@"
