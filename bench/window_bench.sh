#!/usr/bin/env bash
# The whole program under a virtual X display (Xvfb, xdotool):
#   start-up   median milliseconds from launch to the window's first paint, over 21 starts
#   idle       CPU share of one core and resident memory over 30 s, before the first New
#              and again in the middle of a game waiting for a guess
#   icon       the spinning top's icon changes a second and the longest gap between two
#   stall      the longest time one event took to handle while 20 games were played
#   bench/window_bench.sh [build directory]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
probe=$build/bench/window_probe
game=$build/numora
seconds=${NUMORA_IDLE_SECONDS:-30}

. tests/support/xvfb.sh
running=
trap '[[ -z $running ]] || kill "$running" 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true' EXIT

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"

times=()
for _ in $(seq 21); do
  times+=("$(NUMORA_LAUNCH_NS=$(date +%s%N) "$probe" startup 2>/dev/null)")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{t[NR] = $1} END {printf "start-up to first paint: median %.1f ms (min %.1f, max %.1f, %d runs)\n", t[int((NR + 1) / 2)], t[1], t[NR], NR}'

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
idle() {  # label
  local before after rss
  before=$(ticks "$running")
  sleep "$seconds"
  after=$(ticks "$running")
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$running/status")
  awk -v b="$before" -v a="$after" -v hz="$(getconf CLK_TCK)" -v s="$seconds" -v r="$rss" -v what="$1" \
    'BEGIN {printf "idle %s: %.2f %% of one core over %d s, resident %.1f MiB\n", what, 100 * (a - b) / hz / s, s, r / 1024}'
}
"$game" 2>/dev/null &
running=$!
window=$(xdotool search --sync --onlyvisible --name '^Numora$' | head -1)
sleep 2
idle "before the first game"
xdotool windowfocus --sync "$window"
for k in alt+g n KP_1 KP_0 KP_2 KP_3 KP_Enter; do xdotool key "$k"; sleep 0.2; done
sleep 0.5
for k in KP_Add KP_Enter; do xdotool key "$k"; sleep 0.2; done
sleep 2
idle "waiting for a guess"
kill "$running"
running=

/usr/bin/python3 tests/ui/desktop/icon_check.py --cadence "$game"
"$probe" stall 20 2>/dev/null
