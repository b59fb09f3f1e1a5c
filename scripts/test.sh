#!/usr/bin/env bash
# Installs what is missing, then runs every check: all tests in the normal build, all tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer, the kept fuzz findings and a
# short fuzzing run of each target. Fails when any of them fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
(cd build && ctest --output-on-failure --timeout 300)
bash scripts/test-sanitized.sh
bash scripts/fuzz.sh "${QUORVANE_FUZZ_SECONDS:-30}"
