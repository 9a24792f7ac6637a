#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The game on a real accessibility bus: Xvfb on a free display, a D-Bus
# session with the AT-SPI bus, then the in-process accessibility test (which hears the
# announcements only where accessibility is on) and a whole game played by a Python
# AT-SPI client. Every process started here is ended by its PID.
#   accessibility_bus.sh <numora> <accessibility_test> <client.py>
set -euo pipefail

if [[ ${1:-} != --session ]]; then
  game=$1 inprocess=$2 client=$3
  . "$(dirname "$0")/../../support/xvfb.sh"
  timeout --kill-after=5 180 dbus-run-session -- "$0" --session "$game" "$inprocess" "$client"
  exit
fi

game=$2 inprocess=$3 client=$4
. "$(dirname "$0")/../../support/poll.sh"
launcher= numora=
trap '[[ -z $numora ]] || kill "$numora" 2>/dev/null || true; [[ -z $launcher ]] || kill "$launcher" 2>/dev/null || true; wait 2>/dev/null || true' EXIT
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
# The accessibility bus is up when the launcher tells its address.
bus_up() { dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; }
within 30 bus_up || { echo "FAIL: the accessibility bus did not start" >&2; exit 1; }

echo "== in-process, with accessibility on"
"$inprocess" || { echo "FAIL: the in-process accessibility test" >&2; exit 1; }

echo "== a game over the bus"
"$game" &
numora=$!
timeout 120 /usr/bin/python3 "$client" || { echo "FAIL: the bus client" >&2; exit 1; }
ended() { ! kill -0 "$numora" 2>/dev/null; }
within 5 ended || { echo "FAIL: NO in the end window did not end the game" >&2; exit 1; }
numora=
echo "bus test passed"
