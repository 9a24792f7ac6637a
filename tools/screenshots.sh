#!/usr/bin/env bash
# Takes the README's pictures of the game under a virtual X display (Xvfb, xdotool,
# ImageMagick): the window in the middle of a game, the Help and About windows, and the
# window again on screens of 144 and 192 dpi, scaled by 1.5 and 2.
#   tools/screenshots.sh [path/to/numora] [output directory]
set -euo pipefail
cd "$(dirname "$0")/.."
binary=${1:-build/release/numora}
out=${2:-docs}
mkdir -p "$out"

xvfb=
game=
trap '[[ -z $game ]] || kill "$game" 2>/dev/null || true; [[ -z $xvfb ]] || kill "$xvfb" 2>/dev/null || true' EXIT
startx() {  # screen size, dots per inch
  local numberfile
  numberfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$1" -dpi "$2" -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [[ -s $numberfile ]] && break; sleep 0.05; done
  export DISPLAY=:$(head -1 "$numberfile")
  rm -f "$numberfile"
}
stopx() { kill "$xvfb"; wait "$xvfb" 2>/dev/null || true; xvfb=; }
startx 1024x768x24 96

"$binary" &
game=$!
window=$(xdotool search --sync --onlyvisible --name '^Numora$' | head -1)
xdotool windowfocus --sync "$window"
keys() { for k in "$@"; do xdotool key "$k"; sleep 0.15; done; }

# Two turns, then the computer's third guess answered on the keypad but not confirmed.
keys alt+g n
keys KP_1 KP_0 KP_2 KP_3 KP_Enter
sleep 0.5
keys KP_Add KP_Enter
keys KP_4 KP_5 KP_6 KP_7 KP_Enter
sleep 0.5
keys KP_Subtract KP_Subtract KP_Enter
keys KP_8 KP_9 KP_1 KP_Decimal KP_4
sleep 0.5
import -window "$window" "$out/main-window.png"

if [[ ${3:-} != --main-only ]]; then
  keys alt+h
  help=$(xdotool search --sync --onlyvisible --name '^Game Help$' | head -1)
  sleep 0.3
  import -window "$help" "$out/help-window.png"
  xdotool windowfocus --sync "$window"
  keys alt+a
  about=$(xdotool search --sync --onlyvisible --name '^About the game\.\.\.$' | head -1)
  sleep 0.3
  import -window "$about" "$out/about-window.png"
fi
kill "$game"; wait "$game" 2>/dev/null || true
game=

if [[ ${3:-} != --main-only ]]; then
  # High-DPI screens: 144 dots per inch and a scale of 1.5, 192 and a scale of 2.
  for scaled in "1.5 144 1.5x" "2 192 2x"; do
    read -r scale dpi name <<<"$scaled"
    stopx
    startx 1600x1200x24 "$dpi"
    QT_SCALE_FACTOR=$scale "$binary" &
    game=$!
    window=$(xdotool search --sync --onlyvisible --name '^Numora$' | head -1)
    xdotool windowfocus --sync "$window"
    keys alt+g n
    keys KP_1 KP_0 KP_2 KP_3 KP_Enter
    sleep 0.5
    keys KP_Add
    sleep 0.5
    import -window "$window" "$out/main-window-$name.png"
    kill "$game"; wait "$game" 2>/dev/null || true
    game=
  done
fi
echo "pictures in $out"
