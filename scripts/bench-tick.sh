#!/usr/bin/env bash
# Times the worst-case tick and the prediction with the program's own elementary functions and
# with the C library's, in turns within one run, and prints the best CPU time of each and the
# difference.
# Builds into ./build (scripts/build.sh first).
#   scripts/bench-tick.sh [rounds]    default 5 rounds of each
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target quorvane_bench quorvane_libm_bench --parallel "$(nproc)" >/dev/null
rounds=${1:-5}
filter='BM_WorstCaseTick|BM_PredictWorstCaseChain'
for ((i = 0; i < rounds; i++)); do
  for kind in own libm; do
    binary=build/bench/quorvane_bench
    [ "${kind}" = libm ] && binary=build/bench/quorvane_libm_bench
    "${binary}" --benchmark_filter="${filter}" --benchmark_min_time=1 --benchmark_format=csv \
      2>/dev/null | awk -F, -v kind="${kind}" '/^"BM_/ { gsub(/"/, "", $1); print kind, $1, $4, $5 }'
  done
done | awk '
  {
    key = $2
    if (!(($1, key) in best) || $3 < best[$1, key]) best[$1, key] = $3
    unit[key] = $4
  }
  END {
    for (n in unit)
      printf "%-26s own %9.3f %s   C library %9.3f %s   %+5.1f%%\n", n, best["own", n], unit[n],
             best["libm", n], unit[n], 100 * (best["own", n] / best["libm", n] - 1)
  }'
