#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The game in a headless GNOME Shell session on Wayland, started as the session starts
# programs (no platform named), checked by gnome_check.py from GNOME's own screenshots
# and Xwayland's window properties. The session is the shell's own: a private mount
# namespace hides systemd's run directory (no logind here, and the shell would wait for
# it) and gives Xwayland a socket directory of its own; a private system bus stands in
# for the machine's, a session bus is the session's own, HOME is a fresh folder. Needs
# root for the mount namespace. Every process started here is ended by its PID.
#   gnome_check.sh <seeded_game>
set -euo pipefail

if [[ ${1:-} != --session ]]; then
  [[ $(id -u) == 0 ]] || { echo "FAIL: needs root, for a private mount namespace" >&2; exit 1; }
  for tool in gnome-shell gnome-screenshot Xwayland xrdb dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (see setup.sh)" >&2; exit 1; }
  done
  game=$(realpath "$1")
  here=$(cd "$(dirname "$0")" && pwd)
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  # Where no X server ever ran, mutter would make the socket directory itself, with the
  # umask's mode, and then refuse it as not writable by all; X servers make it 1777.
  [[ -d /tmp/.X11-unix ]] || mkdir -m 1777 /tmp/.X11-unix
  hide='mount -t tmpfs -o mode=1777 none /tmp/.X11-unix'
  [[ ! -d /run/systemd ]] || hide+=' && mount -t tmpfs none /run/systemd'
  # Inside a chroot whose root is no mount point, the propagation of / cannot be made
  # private; there the namespace takes the chroot's own, as its mounts lie below it.
  propagation=private
  mountpoint -q / || propagation=unchanged
  timeout --kill-after=5 90 unshare --mount --propagation "$propagation" -- \
    bash -c "$hide"' && exec dbus-run-session -- "$0" --session "$@"' "$0" "$game" "$here" "$work"
  exit
fi

game=$2 here=$3 work=$4
. "$here/../../support/poll.sh"
pids=()
# The shell first, while the buses it talks to are still there: it then ends cleanly and
# removes its X display's lock files.
stop() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
}
trap stop EXIT

cat >"$work/system.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$work/system_bus</listen>
  <policy context="default">
    <allow user="*"/><allow own="*"/><allow send_destination="*"/><allow receive_sender="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --config-file="$work/system.conf" --nofork --nopidfile >"$work/system_bus.log" 2>&1 &
pids+=($!)
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/system_bus
within 10 test -S "$work/system_bus" || { echo "FAIL: the system bus did not start" >&2; exit 1; }

export HOME=$work/home XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# What GNOME's session tells the programs it starts; nothing names a Qt platform.
export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY QT_QPA_PLATFORM QT_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
gnome-shell --headless --wayland --virtual-monitor 1280x1024 --wayland-display=numora-gnome \
  >"$work/shell.log" 2>&1 &
pids+=($!)
export WAYLAND_DISPLAY=numora-gnome
status=0
/usr/bin/python3 "$here/gnome_check.py" "$game" "$work" || status=$?
if ((status)); then
  echo "--- the shell's log:" >&2
  tail -30 "$work/shell.log" >&2 || true
  echo "--- the game's output:" >&2
  tail -20 "$work/game.out" >&2 || true
fi
exit "$status"
