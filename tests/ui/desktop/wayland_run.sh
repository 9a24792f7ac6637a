#!/usr/bin/env bash
# Runs a program as a native Wayland client of a headless weston of its own.
#   tests/ui/desktop/wayland_run.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
weston --backend=headless-backend.so --socket=numora-test --idle-time=0 --no-config \
  --log="$runtime/weston.log" &
weston=$!
trap 'kill "$weston" 2>/dev/null || true; wait "$weston" 2>/dev/null || true; rm -rf "$runtime"' EXIT
export WAYLAND_DISPLAY=numora-test QT_QPA_PLATFORM=wayland
# The windows draw into shared memory and have no use for EGL, which Qt would load all
# the same: Mesa's driver then leaves allocations that LeakSanitizer cannot tell from the
# program's (the driver is unloaded before the report, so no suppression can name it).
# Naming no buffer integration Qt has keeps EGL out; Qt warns once that it found none.
export QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none
. "$(dirname "$0")/../../support/poll.sh"
within 10 test -S "$runtime/numora-test" || { echo "weston did not start:" >&2; cat "$runtime/weston.log" >&2; exit 1; }
unset DISPLAY
"$@"
