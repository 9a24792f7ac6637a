# Sourced by the test scripts that need an X display: starts Xvfb on a free display,
# exports DISPLAY and ends the server when the script exits.
#   . tests/support/xvfb.sh   (XVFB_SCREEN sets the screen, 1024x768x24 by default;
#                              XVFB_DPI its dots per inch, the server's default if unset)
# -noreset: by default the server resets whenever its last client leaves, and refuses
# connections while it does; a window manager started just after another one ended, or
# while a polling xprop was the only client, then fails with "Unable to open X display".
. "$(dirname "${BASH_SOURCE[0]}")/poll.sh"
xvfb_numberfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp -noreset ${XVFB_DPI:+-dpi "$XVFB_DPI"} 3>"$xvfb_numberfile" >/dev/null 2>&1 &
xvfb_pid=$!
within 10 test -s "$xvfb_numberfile" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -1 "$xvfb_numberfile")
rm -f "$xvfb_numberfile"
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
