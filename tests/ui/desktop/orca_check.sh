#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Plays one game by keys alone while the real Orca listens, and checks what it speaks
# (orca_check.py). Everything a blind player's desktop runs, headless: Xvfb with
# openbox (without a window manager no window is ever active and Orca follows no
# focus), a D-Bus session with the AT-SPI bus, speech-dispatcher with espeak-ng
# speaking into libao's null device, all under a private HOME. Orca writes its debug log
# to a pseudo-terminal made by script(1), which makes every line reach the log as it is
# spoken. Every process started here is ended by its PID.
#   orca_check.sh <seeded_game>
set -euo pipefail

if [[ ${1:-} != --session ]]; then
  game=$(realpath "$1")
  here=$(cd "$(dirname "$0")" && pwd)
  work=$(mktemp -d)
  . "$here/../../support/xvfb.sh"
  trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
  export HOME=$work/home
  export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
  export XDG_RUNTIME_DIR=$work/run
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  cp -r /etc/speech-dispatcher "$XDG_CONFIG_HOME/speech-dispatcher"
  cat >>"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'CONF'
AudioOutputMethod "libao"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
CONF
  echo default_driver=null >"$HOME/.libao"
  timeout --kill-after=5 360 dbus-run-session -- "$0" --session "$game" "$here" "$work"
  exit
fi

game=$2 here=$3 work=$4
. "$here/../../support/poll.sh"
log=$work/orca.log
pids=() orca=
# Orca runs in a session of its own under script(1): it is ended by its PID and waited
# for, so that it no longer writes into the private HOME when that is removed.
endorca() {
  [[ -n $orca ]] || return 0
  local inner p
  inner=$(/usr/bin/pgrep -P "$orca" || true)
  kill -- -"$orca" 2>/dev/null || true
  for p in $inner; do
    kill "$p" 2>/dev/null || true
    within 10 sh -c "! kill -0 $p 2>/dev/null" || kill -KILL "$p" 2>/dev/null || true
  done
}
trap 'endorca; for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true' EXIT
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=0 GTK_A11Y=atspi
/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
speech-dispatcher --run-single --timeout 0 --config-dir "$XDG_CONFIG_HOME/speech-dispatcher" \
  --log-dir "$work" >/dev/null 2>&1 &
pids+=($!)
# The window manager announces itself on the root window; without one no window is
# ever active, and Orca would say nothing of the game.
wmrunning() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
within 30 wmrunning || {
  echo "FAIL: openbox did not start within 30 s; it printed:" >&2
  cat "$work/openbox.log" >&2
  exit 1
}
# Orca speaks only through a speech server that is already listening.
within 20 test -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" ||
  echo "the speech server's socket did not appear within 20 s" >&2
# Orca will not start while any process of the same user is called orca, wherever it
# runs, even one that has ended and not been reaped: it asks pgrep. This one looks in
# its own session only, where nothing else is Orca.
mkdir -p "$work/bin"
printf '#!/bin/sh\nexec /usr/bin/pgrep -s 0 "$@"\n' >"$work/bin/pgrep"
chmod +x "$work/bin/pgrep"
# script's own copy of the terminal goes nowhere; Orca reads no input. Should Orca
# still start without ever speaking, it is started again, once.
for attempt in 1 2; do
  endorca
  : >"$log"
  PATH=$work/bin:$PATH setsid script -qfec "orca --debug-file /dev/stdout" "$log" </dev/null >/dev/null 2>&1 &
  orca=$!
  pids+=("$orca")
  within 30 grep -aq "SPEECH OUTPUT: 'Screen reader on" "$log" && break
  echo "Orca did not speak within 30 s (attempt $attempt)" >&2
done
status=0
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb \
  /usr/bin/python3 "$here/orca_check.py" "$log" "$game" "$work/game.out" || status=$?
echo "--- what Orca spoke:"
grep -a "SPEECH OUTPUT" "$log" || true
if ((status)); then
  echo "--- the start of Orca's log:" >&2
  head -c 3000 "$log" >&2 || true
  echo "--- Orca's last key handling:" >&2
  grep -a -E "keyval_name=|Handler is|SAY ALL|CONSUME:" "$log" | tail -40 >&2 || true
  echo "--- the game's output:" >&2
  tail -20 "$work/game.out" >&2 || true
fi
exit "$status"
