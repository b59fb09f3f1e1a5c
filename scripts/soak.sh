#!/usr/bin/env bash
# Runs the window's soak test for longer than the test suite does: a seeded random walk over
# every control, ticking all the while.  Usage: scripts/soak.sh [ticks] [seed]
# The normal build is used; set BUILD_DIR=build-sanitize (after scripts/test-sanitized.sh) to
# run it under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
if [ "${build}" = build ]; then
  bash scripts/build.sh
fi
QT_QPA_PLATFORM=offscreen QUORVANE_SOAK_TICKS="${1:-50000}" QUORVANE_SOAK_SEED="${2:-20261208}" \
  "${build}/tests/desktop/window/window_soak_tests"
