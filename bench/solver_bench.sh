#!/usr/bin/env bash
# The exact solver's time and memory: the variant with a leading 0 (5040 numbers, whose
# least total is 26274), then this game (4536 numbers), each on two threads, with the
# wall time and the peak resident memory GNU time reports.
#   bench/solver_bench.sh [build/release/numora-selfplay] [extra options, e.g. --worst-case]
set -euo pipefail
tool=${1:-build/release/numora-selfplay}
shift || true
for variant in --leading-zero ""; do
  echo "== numora-selfplay --solve $variant $* --threads 2"
  # shellcheck disable=SC2086
  /usr/bin/time -f "wall %e s, peak %M KiB resident" "$tool" --solve $variant "$@" --threads 2 2>&1 \
    | grep -Ev 'of the first two levels'
done
