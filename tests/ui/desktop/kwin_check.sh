#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The game in KWin, KDE Plasma's compositor, started as Plasma's Wayland session starts
# programs (no platform named), checked from KWin's own view of its windows
# (kwin_windows.js): the game window on Xwayland, centred in the placement area, with
# its own icon rather than a desktop entry's; a short game by keys to the lost window,
# which must sit at its fixed place, out of the task bar, with the focus; Return must
# close it into a new game, which a second short game ends in the lost window again.
# Then at a scale of 2, X11 programs scaling themselves, told so by Xft.dpi 192 (Plasma
# 6's default; Plasma 5.27's "Apply scaling themselves"): the game window twice its size
# in device pixels, which KWin shows one to one, and the lost window at its place.
# KWin 5 (Debian 12) and KWin 6 (Debian 13) alike.
#   kwin_check.sh <seeded_game>
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [[ ${1:-} != --session ]]; then
  for tool in kwin_wayland Xvfb xdotool xwininfo dbus-run-session dbus-send; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (see setup.sh)" >&2; exit 1; }
  done
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  game=$(realpath "$1")
  timeout --kill-after=5 60 "$here/kwin_session.sh" "$work/scale1" "$0" --session "$game" 1 "$work/size" &&
    KWIN_SCALE=2 KWIN_X11_SCALE=self timeout --kill-after=5 60 \
      "$here/kwin_session.sh" "$work/scale2" "$0" --session "$game" 2 "$work/size"
  exit
fi

game=$2 scale=$3 sizefile=$4  # the game window's size at a scale of 1, kept for the scale of 2
seed=1                 # the computer's number is not 1023, so answering its first guess with 4 + loses
lost=373,480,287,78    # the lost window's client area
lostcaption=' ?You have lost! My number was : [0-9]{4}'
windows() { kwinjs "$here/kwin_windows.js"; }
fail() {
  echo "FAIL: $*" >&2
  echo "--- KWin's windows:" >&2
  windows >&2
  echo "--- the game's output:" >&2
  tail -20 "$KWIN_WORK/game.out" >&2
  exit 1
}
# KWin's line for the window whose caption matches the pattern, and a field of it.
window() { windows | grep -E "^WIN .* caption=$1\$"; }
field() { sed -n "s/.* $2=\([^ ]*\).*/\1/p" <<<"$1"; }
active() { [[ $(field "$(window "$1")" active) == true ]]; }
gone() { ! window "$1" >/dev/null; }
# The window on Xwayland whose caption matches the pattern: a window of the game there is
# one that went through Xwayland.
x11window() { xdotool search --onlyvisible --name "^$1\$" | head -1 | grep .; }
# A window's area on Xwayland, x,y,width,height, in its pixels.
x11area() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
                          /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x "," y "," w "," h}'
}
# A window's client area on the screen: KWin 6 tells it; KWin 5 tells the frame only, so
# there it is read from Xwayland.
client() {
  if [[ $(field "$1" client) == "?" ]]; then x11area "$2"; else field "$1" client; fi
}
# Whether the computer's guess shows in the game window (dark red digits in Label8, read
# from Xwayland), so that the sign keypad is open.
guessshown() {
  /usr/bin/python3 - "$1" "$scale" <<'PY'
import sys
from Xlib import X, display
window = display.Display().create_resource_object("window", int(sys.argv[1]))
s = int(sys.argv[2])
top = window.get_geometry().height - (401 - 184) * s  # Label8, below the menu bar
data = window.get_image(8 * s, top, 89 * s, 33 * s, X.ZPixmap, 0xFFFFFFFF).data  # blue, green, red, pad
sys.exit(sum(data[i + 2] - max(data[i], data[i + 1]) >= 48 for i in range(0, len(data), 4)) <= 20 * s * s)
PY
}
# A guess, then the computer's first guess answered with 4 +: the lost window.
loseagame() {
  keys 1 0 2 3 Return
  within 20 guessshown "$gameid" || fail "the computer's guess did not appear after Confirm Number"
  keys KP_Add KP_Add KP_Add KP_Add Return
  within 20 window "$lostcaption" >/dev/null || fail "the lost window did not appear"
}

if ((scale == 2)); then
  xrdb -merge <<<"Xft.dpi: 192"
  "$game" "$seed" >"$KWIN_WORK/game.out" 2>&1 &
  game_pid=$!
  trap 'kill "$game_pid" 2>/dev/null; wait "$game_pid" 2>/dev/null' EXIT
  within 20 x11window Numora >/dev/null || fail "at a scale of 2 the game window did not appear on Xwayland"
  gameid=$(x11window Numora)
  IFS=, read -r _ _ w2 h2 <<<"$(x11area "$gameid")"
  IFS=x read -r w1 h1 <"$sizefile"
  [[ $(xdpyinfo | sed -n 's/ *dimensions: *\([0-9x]*\) .*/\1/p') == 2560x2048 ]] ||
    fail "at a scale of 2 Xwayland's screen is not in device pixels: $(xdpyinfo | grep dimensions)"
  ((w2 == 2 * w1 && h2 == 2 * h1)) || fail "at a scale of 2 the game window is ${w2}x$h2, not twice ${w1}x$h1"
  within 10 active Numora || fail "at a scale of 2 the game window did not get the focus"
  keys alt+g n
  loseagame
  IFS=, read -r x y w h <<<"$lost"
  place=$(x11area "$(x11window "$lostcaption")")
  [[ $place == "$((2 * x)),$((2 * y)),$((2 * w)),$((2 * h))" ]] ||
    fail "at a scale of 2 the lost window is at $place in device pixels, not at twice $lost"
  echo "scale 2: the game window ${w1}x$h1 drawn in ${w2}x$h2 device pixels; the lost window at $place"
  exit 0
fi

"$game" "$seed" >"$KWIN_WORK/game.out" 2>&1 &
game_pid=$!
trap 'kill "$game_pid" 2>/dev/null; wait "$game_pid" 2>/dev/null' EXIT
within 20 window 'Numora' >/dev/null || fail "the game window did not appear"
main=$(window 'Numora')
within 10 x11window Numora >/dev/null || fail "the game window is not on Xwayland: the game did not choose it"
gameid=$(x11window Numora)
IFS=, read -r fx fy fw fh <<<"$(field "$main" frame)"
IFS=, read -r ax ay aw ah <<<"$(windows | sed -n 's/^AREA //p')"
dx=$((fx - ax - (aw - fw) / 2)) dy=$((fy - ay - (ah - fh) / 2))
((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2)) ||
  fail "the game window's frame $fx,$fy ${fw}x$fh is not centred in $ax,$ay ${aw}x$ah: off by $dx,$dy"
# A window that names a desktop entry gets the entry's icon from KWin, not its own.
[[ $(field "$main" desktopFile) == - ]] ||
  fail "the game window names the desktop entry $(field "$main" desktopFile): KWin shows its icon, not the spinning top"
IFS=, read -r _ _ w1 h1 <<<"$(x11area "$gameid")"
echo "${w1}x$h1" >"$sizefile"
echo "the game window: frame $fx,$fy ${fw}x$fh on Xwayland, centred within $dx,$dy, its own icon;" \
  "maximizable=$(field "$main" maximizable) minimizable=$(field "$main" minimizable)"

within 10 active Numora || fail "the game window did not get the focus"
keys alt+g n
loseagame
within 10 active "$lostcaption" || fail "the lost window did not get the focus"
line=$(window "$lostcaption")
place=$(client "$line" "$(x11window "$lostcaption")")
[[ $place == "$lost" ]] || fail "the lost window's client is at $place, not at $lost"
[[ $(field "$line" skipTaskbar) == true ]] || fail "the lost window is in the task bar"
echo "the lost window: client $place, focused, out of the task bar;" \
  "maximizable=$(field "$line" maximizable) minimizable=$(field "$line" minimizable)"

keys Return
within 10 gone "$lostcaption" || fail "Return did not close the lost window"
within 10 active Numora || fail "the game window did not get the focus back"
loseagame
echo "Return answered YES: the lost window closed, and a new game ended in it again"
