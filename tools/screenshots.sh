#!/usr/bin/env bash
# Takes the pictures of the game in the README and docs/ under a virtual X display
# (Xvfb, xdotool, ImageMagick): the window in the middle of a game, the Help and About
# windows, and the window again on screens of 144 and 192 dpi, scaled by 1.5 and 2.
#   tools/screenshots.sh [path/to/numora] [output directory]
set -euo pipefail
cd "$(dirname "$0")/.."
binary=${1:-build/release/numora}
out=${2:-docs}
mode=${3:-}
mkdir -p "$out"

# Each screen is a subshell with its own X server (tests/support/xvfb.sh, which ends it
# when the subshell exits), and the game started there is ended with it.
startgame() {  # command...
  "$@" &
  game=$!
  trap 'kill "$game" 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true' EXIT
  window=$(xdotool search --sync --onlyvisible --name '^Numora$' | head -1)
  xdotool windowfocus --sync "$window"
}
keys() { for k in "$@"; do xdotool key "$k"; sleep 0.15; done; }

(
  XVFB_SCREEN=1024x768x24 XVFB_DPI=96
  . tests/support/xvfb.sh
  startgame "$binary"

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

  if [[ $mode != --main-only ]]; then
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
)

if [[ $mode != --main-only ]]; then
  # High-DPI screens: 144 dots per inch and a scale of 1.5, 192 and a scale of 2.
  for scaled in "1.5 144 1.5x" "2 192 2x"; do
    read -r scale dpi name <<<"$scaled"
    (
      XVFB_SCREEN=1600x1200x24 XVFB_DPI=$dpi
      . tests/support/xvfb.sh
      startgame env QT_SCALE_FACTOR="$scale" "$binary"
      keys alt+g n
      keys KP_1 KP_0 KP_2 KP_3 KP_Enter
      sleep 0.5
      keys KP_Add
      sleep 0.5
      import -window "$window" "$out/main-window-$name.png"
    )
  done
fi
echo "pictures in $out"
