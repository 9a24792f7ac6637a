#!/usr/bin/env bash
# The exact solver's time and memory: the smaller games on one thread (9 and 8 digits,
# with and without a leading 0: 14914, 13015, 7817 and 6689), then the variant with a
# leading 0 (5040 numbers, whose least total is 26274) and this game (4536 numbers) on
# two, with the wall time and the peak resident memory GNU time reports.
#   bench/solver_bench.sh [build/release] [extra options, e.g. --worst-case] [--small]
# --small stops after the smaller games.
set -euo pipefail
build=build/release
if [[ $# -gt 0 && $1 != --* ]]; then
  build=$1
  shift
fi
small=false extra=()
for arg in "$@"; do
  if [[ $arg == --small ]]; then small=true; else extra+=("$arg"); fi
done
for game in "9 4 --leading-zero" "9 4" "8 4 --leading-zero" "8 4"; do
  # shellcheck disable=SC2086
  /usr/bin/time -f "  wall %e s, peak %M KiB resident" "$build/bench/numora-solver-bench" $game "${extra[@]}" --threads 1
done
$small && exit 0
for variant in --leading-zero ""; do
  echo "== numora-selfplay --solve $variant ${extra[*]} --threads 2"
  # shellcheck disable=SC2086
  /usr/bin/time -f "wall %e s, peak %M KiB resident" "$build/numora-selfplay" --solve $variant "${extra[@]}" --threads 2 2>&1 \
    | grep -Ev ' searched, best '
done
