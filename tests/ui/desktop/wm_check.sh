#!/usr/bin/env bash
# The game under real window managers (xfwm4, metacity): the main window is centred on
# the screen as a whole, frame included, and About, which has no owner, goes below the
# game window when that is activated instead of covering it.
#   tests/ui/desktop/wm_check.sh build/release/numora
set -uo pipefail
game=$(realpath "$1")
cd "$(dirname "$0")/../../.."
XVFB_SCREEN=1024x768x24 . tests/support/xvfb.sh

running=()
stop() { for pid in "${running[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done; running=(); }
# One session bus for the window managers' settings; what it starts ends with it.
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || { echo "FAIL: no session bus (package dbus)"; exit 1; }
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus") NO_AT_BRIDGE=1
bus_pid=$(sed -n 2p <<<"$bus")
endbus() {
  local children
  children=$(ps -o pid= --ppid "$bus_pid")
  kill "$bus_pid" $children 2>/dev/null
}
wmlog=$(mktemp)  # what the window manager prints, shown when it does not start
trap 'stop; endbus; kill "$xvfb_pid" 2>/dev/null || true; rm -f "$wmlog"' EXIT

wmrunning() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
findwindow() { timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1; }

# Sets `offset` to how far the framed window `id` is from the middle of the screen, and
# `frame` to its frame; fails while the window manager has not told the frame.
measure() {
  local id=$1 x y w h l r t b
  read -r x y w h < <(xwininfo -id "$id" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
                                                /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x, y, w, h}')
  frame=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ' ')
  [[ -n $frame ]] || return 1
  IFS=, read -r l r t b <<<"$frame"
  offset="$((x - l - (1024 - (w + l + r)) / 2)),$((y - t - (768 - (h + t + b)) / 2))"
}
centred() {
  measure "$1" || return 1
  local dx=${offset%,*} dy=${offset#*,}
  ((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2))
}
# True when window `upper` is above window `lower` in the window manager's stacking order.
above() {
  local stack
  stack=$(xprop -root _NET_CLIENT_LIST_STACKING | sed -n 's/.*# //p' | tr -d ',')
  local i=0 upperat=-1 lowerat=-1 id
  for id in $stack; do
    ((id == $1)) && upperat=$i
    ((id == $2)) && lowerat=$i
    i=$((i + 1))
  done
  ((upperat > lowerat && lowerat >= 0))
}

failed=0
fail() { echo "FAIL ($1): $2"; failed=1; }
for wm in xfwm4 metacity; do
  command -v "$wm" >/dev/null || { fail "$wm" "not installed (Debian package $wm)"; continue; }
  xprop -root -remove _NET_SUPPORTING_WM_CHECK 2>/dev/null
  case $wm in
    xfwm4) xfwm4 --compositor=off >"$wmlog" 2>&1 & ;;
    metacity) metacity >"$wmlog" 2>&1 & ;;
  esac
  running+=($!)
  within 20 wmrunning || { fail "$wm" "did not start; it printed: $(cat "$wmlog")"; stop; continue; }
  "$game" >/dev/null 2>&1 &
  running+=($!)
  main=$(findwindow '^Numora$')
  if [[ -z $main ]]; then
    fail "$wm" "the game window did not appear"
  elif ! within 10 centred "$main"; then
    fail "$wm" "the game window is not centred: frame ${frame:-unknown}, off by ${offset:-?}"
  else
    echo "$wm: the game window is centred with its frame ($frame), off by $offset"
    xdotool windowactivate --sync "$main"
    xdotool key alt+a
    about=$(findwindow '^About the game')
    if [[ -z $about ]]; then
      fail "$wm" "About did not open"
    elif xprop -id "$about" WM_TRANSIENT_FOR | grep -q 'window id'; then
      fail "$wm" "About is transient for another window"
    else
      xdotool windowactivate --sync "$main"
      if within 10 above "$main" "$about"; then
        echo "$wm: the activated game window is above About"
      else
        fail "$wm" "About stays above the activated game window"
      fi
    fi
  fi
  stop
done
exit "$failed"
