#!/usr/bin/env bash
# Installs what is missing, builds, and runs the benchmarks (not part of the test suite).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
for b in build/bench/quorvane_*bench; do
  [ -x "$b" ] && "$b" "$@"
done
